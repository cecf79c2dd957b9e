// Simulating the greyscale program of the 3000 x 3000 picture (about nine
// million moves): in memory, and from its file in a fresh process as
// `beamwright-cli simulate` runs, with that process's peak memory.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "BenchInputs.h"
#include "gcode/MaskPreview.h"
#include "gcode/ProgramOutput.h"
#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"
#include "simulation/ProgramFileReader.h"
#include "simulation/ProgramSimulator.h"

extern char** environ;

using namespace bw;

namespace {

std::filesystem::path programFile() {
    return std::filesystem::temp_directory_path() / "beamwright-simulation-bench.gcode";
}
std::filesystem::path peakFile() { return std::filesystem::temp_directory_path() / "beamwright-simulation-bench.peak"; }

// Peak resident memory of this process image in kB. Unlike getrusage's figure it
// starts anew at exec, so the spawned simulation does not inherit ours.
long peakKilobytes() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) { return -1; }
    char line[256];
    long kilobytes = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) { kilobytes = std::atol(line + 6); }
    }
    std::fclose(status);
    return kilobytes;
}

const ProgramLines& greyProgram() {
    static const ProgramLines lines = [] {
        PixelBuffer view = ProcessTones(::bench::makePhoto(3000), ToneMode::Greyscale, kDefaultToneThreshold);
        ApplyAdjustments(view, ToneAdjustments{});
        JobContext ctx;
        (void)BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',');
        RasterJobFields fields;
        (void)SetRasterOrigin(ctx, fields.pixelSizeText, view, ',');
        (void)FillRasterParameters(ctx.params, fields, view, ',');
        (void)GenerateRaster(ctx, view, {}, ',');
        (void)WriteProgram(programFile(), ctx.programLines);
        return std::move(ctx.programLines);
    }();
    return lines;
}

void inMemory(benchmark::State& state) {
    const ProgramLines& program = greyProgram();
    SimulationSummary summary;
    for (auto _ : state) {
        ProgramSimulator simulator(SimulationOptions{});
        for (std::size_t i = 0; i < program.size(); ++i) { simulator.addLine(program.entry(i)); }
        summary = simulator.finish();
    }
    state.counters["moves"] = double(summary.moves);
    state.counters["moves/s"] = benchmark::Counter(double(summary.moves) * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["job_h"] = summary.seconds / 3600;
}

// The whole file in a new process of this program (see main), timed from start to
// exit; its peak resident memory is all the simulator needs.
void fromFile(benchmark::State& state) {
    (void)greyProgram();
    std::string self = std::filesystem::read_symlink("/proc/self/exe");
    std::string file = programFile(), peak = peakFile();
    for (auto _ : state) {
        char* argv[] = {self.data(), const_cast<char*>("--simulate-file"), file.data(), peak.data(), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("spawn failed");
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) { state.SkipWithError("simulation failed"); }
    }
    long kilobytes = -1;
    if (std::FILE* in = std::fopen(peak.c_str(), "r")) {
        if (std::fscanf(in, "%ld", &kilobytes) != 1) { kilobytes = -1; }
        std::fclose(in);
    }
    state.counters["file_MB"] = double(std::filesystem::file_size(programFile())) / 1e6;
    state.counters["peak_rss_MB"] = static_cast<double>(kilobytes) / 1024.0;
}

}  // namespace

BENCHMARK(inMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(fromFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--simulate-file") == 0) {
        ProgramSimulator simulator(SimulationOptions{});
        bool ok = SimulateProgramFile(argv[2], simulator).ok() && simulator.finish().moves > 0;
        std::FILE* out = std::fopen(argv[3], "w");
        if (out) {
            std::fprintf(out, "%ld\n", peakKilobytes());
            std::fclose(out);
        }
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(programFile());
    std::filesystem::remove(peakFile());
    return 0;
}
