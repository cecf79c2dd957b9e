// Raster engraving speed on a 3000 x 3000 photo-like picture (smooth gradients
// plus noise): tone processing, and generation including writing the program
// file, in greyscale mode and in dither mode (almost every pixel prints a line).
// The write floor writes the same bytes without generating them.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BenchInputs.h"
#include "gcode/MaskPreview.h"
#include "gcode/ProgramOutput.h"
#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"

using namespace bw;

namespace {

constexpr int kSide = 3000;

const PixelBuffer& photo() {
    static const PixelBuffer picture = bench::makePhoto(kSide);
    return picture;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::filesystem::path outputFile() { return std::filesystem::temp_directory_path() / "beamwright-raster-bench.gcode"; }

void toneProcessing(benchmark::State& state, ToneMode mode) {
    const PixelBuffer& source = photo();
    for (auto _ : state) {
        PixelBuffer view = ProcessTones(source, mode, kDefaultToneThreshold);
        ApplyAdjustments(view, ToneAdjustments{120, 5, 10});
        benchmark::DoNotOptimize(view.pixels.data());
    }
    state.counters["pixels/s"] = benchmark::Counter(double(kSide) * kSide * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void generation(benchmark::State& state, ToneMode mode) {
    PixelBuffer view = ProcessTones(photo(), mode, kDefaultToneThreshold);
    ApplyAdjustments(view, ToneAdjustments{});
    std::size_t bytes = 0;
    std::size_t lines = 0;
    std::size_t held = 0;
    for (auto _ : state) {
        JobContext ctx;
        (void)BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',');
        RasterJobFields fields;
        (void)SetRasterOrigin(ctx, fields.pixelSizeText, view, ',');
        (void)FillRasterParameters(ctx.params, fields, view, ',');
        auto outcome = GenerateRaster(ctx, view, {}, ',');
        if (!outcome || !WriteProgram(outputFile(), ctx.programLines)) { state.SkipWithError("generation failed"); }
        bytes = ctx.programLines.textSize();
        lines = ctx.programLines.size();
        held = ctx.programLines.capacityBytes();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["pixels/s"] = benchmark::Counter(double(kSide) * kSide * iterations, benchmark::Counter::kIsRate);
    state.counters["lines/s"] = benchmark::Counter(double(lines) * iterations, benchmark::Counter::kIsRate);
    state.counters["bytes/s"] = benchmark::Counter(double(bytes) * iterations, benchmark::Counter::kIsRate);
    state.counters["output_MB"] = double(bytes) / 1e6;
    state.counters["held_MB"] = double(held) / 1e6;
    state.counters["peak_rss_MB"] = peakMegabytes();
}

// The same, the program streamed to the file in blocks while it is generated,
// as a command-line run can do: memory stays near the picture's own.
void generationStreamed(benchmark::State& state, ToneMode mode) {
    PixelBuffer view = ProcessTones(photo(), mode, kDefaultToneThreshold);
    ApplyAdjustments(view, ToneAdjustments{});
    std::size_t bytes = 0;
    for (auto _ : state) {
        JobContext ctx;
        (void)BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',');
        RasterJobFields fields;
        (void)SetRasterOrigin(ctx, fields.pixelSizeText, view, ',');
        (void)FillRasterParameters(ctx.params, fields, view, ',');
        std::ofstream out(outputFile(), std::ios::binary | std::ios::trunc);
        ctx.programLines.streamTo(
            [&](std::string_view block) { out.write(block.data(), static_cast<std::streamsize>(block.size())); });
        auto outcome = GenerateRaster(ctx, view, {}, ',');
        ctx.programLines.flush();
        out.close();
        if (!outcome || !out) { state.SkipWithError("generation failed"); }
        bytes = ctx.programLines.textSize();
    }
    state.counters["pixels/s"] = benchmark::Counter(double(kSide) * kSide * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
    state.counters["output_MB"] = double(bytes) / 1e6;
    state.counters["peak_rss_MB"] = peakMegabytes();
}

// The physical floor: the same bytes of the dithered program written to a file.
void writeFloor(benchmark::State& state) {
    PixelBuffer view = ProcessTones(photo(), ToneMode::Dithering, kDefaultToneThreshold);
    JobContext ctx;
    (void)BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',');
    RasterJobFields fields;
    (void)FillRasterParameters(ctx.params, fields, view, ',');
    (void)GenerateRaster(ctx, view, {}, ',');
    const std::string text = ctx.programLines.text();
    for (auto _ : state) {
        std::ofstream out(outputFile(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
    }
    state.counters["bytes/s"] =
        benchmark::Counter(double(text.size()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["output_MB"] = double(text.size()) / 1e6;
}

}  // namespace

BENCHMARK_CAPTURE(toneProcessing, grey, ToneMode::Greyscale)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(toneProcessing, dither, ToneMode::Dithering)->Unit(benchmark::kMillisecond);
// Streamed first: the peak memory counter is the process's largest so far. Rates
// by the wall clock: the passes run on two threads, this one's time is only part.
BENCHMARK_CAPTURE(generationStreamed, grey, ToneMode::Greyscale)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(generationStreamed, dither, ToneMode::Dithering)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(generation, grey, ToneMode::Greyscale)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_CAPTURE(generation, dither, ToneMode::Dithering)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(writeFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(outputFile());
    return 0;
}
