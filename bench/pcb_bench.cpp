// PCB exposure on a generated 4000 x 4000 board (random tracks, pads, vias and
// copper pours) at 508 DPI: the raster and the outline for beams of 0,2 and
// 0,5 mm, and, on the same bitmap in the same run, potrace tracing it (as a
// PBM file, timed as a whole process) for comparison with the outline.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "BenchInputs.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbOutline.h"
#include "pcb/PcbRaster.h"

namespace {

using bench::Board;

const Board& board() {
    static const Board instance;
    return instance;
}

bw::JobContext& loadedContext() {
    static bw::JobContext ctx = [] {
        bw::JobContext c;
        (void)bw::BuildMaskPreview(c.writer(), bw::MaskPreviewFields{}, ',');
        (void)bw::LoadPcbBitmap(c.pcb, board().picture());
        c.params.pcbDpi = 508;
        c.params.materialThickness = bw::Fixed4::fromRaw(15000);
        c.params.workFeedText = "1500";
        c.params.rapidFeedText = "5000";
        return c;
    }();
    return ctx;
}

void BM_PcbRaster(benchmark::State& state) {
    bw::JobContext& ctx = loadedContext();
    ctx.params.beamDiameter = bw::Fixed4::fromRaw(state.range(0));
    std::size_t lines = 0;
    for (auto _ : state) {
        auto result = bw::GeneratePcbRaster(ctx);
        if (!result) { state.SkipWithError(result.error().c_str()); }
        lines = ctx.programLines.size();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_PcbRaster)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PcbOutline(benchmark::State& state) {
    bw::JobContext& ctx = loadedContext();
    ctx.params.beamDiameter = bw::Fixed4::fromRaw(state.range(0));
    std::size_t contours = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        auto result = bw::GeneratePcbOutline(ctx, ',');
        if (!result) { state.SkipWithError(result.error().c_str()); }
        contours = result->traced.size();
        lines = ctx.programLines.size();
    }
    state.counters["contours"] = static_cast<double>(contours);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_PcbOutline)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_PotraceTrace(benchmark::State& state) {
    auto folder = std::filesystem::temp_directory_path();
    auto pbm = folder / "beamwright-pcb-bench.pbm";
    auto svg = folder / "beamwright-pcb-bench.svg";
    board().writePbm(pbm);
    std::string command = "potrace --svg -o '" + svg.string() + "' '" + pbm.string() + "'";
    // The child's processor time, comparable with the CPU column of the other
    // benchmarks when the machine is busy.
    auto childSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    double before = childSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("potrace failed (is the potrace package installed?)");
        }
    }
    state.counters["child_cpu_ms"] = (childSeconds() - before) * 1000.0 / static_cast<double>(state.iterations());
    std::filesystem::remove(pbm);
    std::filesystem::remove(svg);
}
BENCHMARK(BM_PotraceTrace)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
