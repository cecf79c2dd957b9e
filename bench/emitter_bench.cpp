// Throughput of the move emitter: ten million moves, half of which print
// (pairs of collinear moves merge; direction and level change between pairs).

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "gcode/MoveEmitter.h"

namespace {

const int kMoves = std::getenv("BW_BENCH_MOVES") ? std::atoi(std::getenv("BW_BENCH_MOVES")) : 10'000'000;

void emitMoves(benchmark::State& state, const char* mask) {
    std::size_t printedLines = 0, textBytes = 0, heldBytes = 0;
    for (auto _ : state) {
        bw::EmitterSettings settings{.maskText = mask,
                                     .dirAxisStep = bw::Fixed4::fromRaw(500),
                                     .powerMinPwm = bw::Fixed4{},
                                     .powerMaxPwm = bw::Fixed4::fromInt(1000),
                                     .pwmMax = bw::Fixed4::fromInt(1000)};
        bw::MoveEmitterState emitter;
        bw::NumberFormat format;
        bw::OriginOffset origin;
        bw::ProgramLines lines;
        const bw::ProgramWriter out{emitter, settings, format, origin, lines};
        bw::Fixed4 a;
        bw::ResetEmitter(out);
        std::int64_t x = 0, y = 0;
        for (int i = 0; i < kMoves; ++i) {
            int pair = i / 2;
            if (pair % 2 == 0) {
                x += 1234;
            } else {
                y += 987;
            }
            bool rapid = pair % 7 == 0;
            int level = rapid ? 0 : pair % 256;
            bw::LinearMove(out, a,
                           {.motion = rapid ? bw::Motion::Rapid : bw::Motion::Work,
                            .level = level,
                            .to = {bw::Fixed4::fromRaw(x), bw::Fixed4::fromRaw(y), bw::Fixed4::fromRaw(150000)},
                            .feed = rapid ? 10000 : 1500});
        }
        printedLines = lines.size();
        textBytes = lines.textSize();
        heldBytes = lines.capacityBytes();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["printed_lines"] = static_cast<double>(printedLines);
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(printedLines) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes_per_s"] = benchmark::Counter(
        static_cast<double>(textBytes) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["memory_per_text_byte"] = static_cast<double>(heldBytes) / static_cast<double>(textBytes);
}

void DefaultMask(benchmark::State& state) { emitMoves(state, "[G] [x] [y] [z] [I] [J] [F] (S)[p]"); }
void EveryTokenMask(benchmark::State& state) {
    emitMoves(
        state,
        "[G] [x] [X] [y] [Y] [z] [Z] [I] [J] [f] [F] (S)[p] [pi] [p0] [pi00] [P] [Pi] [P000] [Pi0000] (A)[a] [A]");
}

}  // namespace

BENCHMARK(DefaultMask)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EveryTokenMask)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_MAIN();
