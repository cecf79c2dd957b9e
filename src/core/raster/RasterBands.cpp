#include "raster/RasterBands.h"

#include <algorithm>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include "gcode/MoveEmitter.h"

namespace bw {

namespace {

// Pixels of a band: enough that starting the second thread costs little beside
// the band, few enough that a band's program (about 25 bytes a pixel) stays small.
constexpr std::int64_t kBandPixels = std::int64_t(1) << 18;
constexpr int kMinBandLines = 16;
// Lines run before a band to bring the copied emitter to where the band starts:
// after two lines it holds back the last move of the second and has printed the
// last of the first, as the emitter that ran every line before does (when the
// lines print anything at all: the place check settles it).
constexpr int kSettlingLines = 2;

struct AheadBand {
    EmitterPlace start, end;
};

// The second thread's emitter: a copy of the pass's, printing into programs of
// its own. The settings are copied too: read for every move beside memory the
// first thread writes for every move, they would bounce between the two cores.
// Two programs take turns, so that the next band is printed while this thread
// hands on the one before.
class alignas(64) AheadEmitter {
public:
    explicit AheadEmitter(const ProgramWriter& out)
        : state_(out.emitter),
          settings_(out.settings),
          numberFormat_(out.numberFormat),
          origin_(out.origin),
          writer_{state_, settings_, numberFormat_, origin_, programs_[0].lines, out.steady} {}

    AheadBand print(const RasterLineEmitter& emitLine, Fixed4 a, int from, int to, int program) {
        const ProgramWriter writer = writer_.into(lines(program));
        for (int line = from - kSettlingLines; line < from; ++line) { emitLine(writer, a, line); }
        lines(program).clear();
        AheadBand band{.start = PlaceOf(writer, a), .end = {}};
        for (int line = from; line < to; ++line) { emitLine(writer, a, line); }
        band.end = PlaceOf(writer, a);
        return band;
    }
    ProgramLines& lines(int program) { return programs_[program].lines; }

private:
    // Each on cache lines of its own: one is handed on while the other is written.
    struct alignas(64) Program {
        ProgramLines lines;
    };
    MoveEmitterState state_;
    EmitterSettings settings_;
    NumberFormat numberFormat_;
    OriginOffset origin_;
    Program programs_[2];
    ProgramWriter writer_;
};

}  // namespace

void PrintRasterLines(const ProgramWriter& out, Fixed4& a, int count, int lineLength,
                      const std::function<RasterLineEmitter()>& makeEmitter,
                      const std::function<void(std::int64_t)>& linesDone) {
    const RasterLineEmitter here = makeEmitter();
    auto printHere = [&](int from, int to) {
        for (int line = from; line < to; ++line) {
            here(out, a, line);
            linesDone(1);
        }
    };
    const int band = static_cast<int>(
        std::clamp<std::int64_t>(kBandPixels / std::max(lineLength, 1), kMinBandLines, std::max(count, kMinBandLines)));
    // A DIR axis in the lines carries all travel before them: no band ahead could be kept.
    if (count < 2 * band || PrintsDirAxis(out) || std::thread::hardware_concurrency() < 2) {
        printHere(0, count);
        return;
    }
    const RasterLineEmitter there = makeEmitter();
    // On the heap, apart from this thread's stack, for the same reason.
    auto ahead = std::make_unique<AheadEmitter>(out);
    auto printAhead = [&](int from, int to, int program) {
        return std::async(std::launch::async, [emitter = ahead.get(), &there, a, from, to, program] {
            return emitter->print(there, a, from, to, program);
        });
    };
    // Pairs of bands: this thread prints [from, middle), the second one [middle, to).
    std::future<AheadBand> aheadBand;
    try {
        aheadBand = printAhead(band, std::min(2 * band, count), 0);
    } catch (const std::system_error&) {
        printHere(0, count);  // no second thread to be had
        return;
    }
    int program = 0;
    for (int from = 0; from < count; from += 2 * band) {
        const int middle = std::min(from + band, count);
        const int to = std::min(middle + band, count);
        printHere(from, middle);
        if (middle == to) { break; }
        const AheadBand printed = aheadBand.get();
        // The second thread goes on with its next band while this one hands on the last.
        const int nextMiddle = std::min(to + band, count);
        const int nextTo = std::min(nextMiddle + band, count);
        bool aheadGoesOn = true;
        if (nextMiddle < nextTo) {
            try {
                aheadBand = printAhead(nextMiddle, nextTo, 1 - program);
            } catch (const std::system_error&) { aheadGoesOn = false; }
        }
        if (printed.start == PlaceOf(out, a)) {
            out.lines.appendAll(std::move(ahead->lines(program)));
            RestorePlace(out, a, printed.end);
            linesDone(to - middle);
        } else {
            printHere(middle, to);
        }
        program = 1 - program;
        if (!aheadGoesOn) {
            printHere(to, count);
            return;
        }
    }
}

}  // namespace bw
