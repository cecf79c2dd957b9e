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

// The second thread's emitter: a copy of the pass's, printing into a program of
// its own. The settings are copied too: read for every move beside memory the
// first thread writes for every move, they would bounce between the two cores.
class alignas(64) AheadEmitter {
public:
    explicit AheadEmitter(const ProgramWriter& out)
        : state_(out.emitter),
          settings_(out.settings),
          numberFormat_(out.numberFormat),
          origin_(out.origin),
          writer_{state_, settings_, numberFormat_, origin_, lines_, out.steady} {}

    AheadBand print(const RasterLineEmitter& emitLine, Fixed4 a, int from, int to) {
        for (int line = from - kSettlingLines; line < from; ++line) { emitLine(writer_, a, line); }
        lines_.clear();
        AheadBand band{.start = PlaceOf(writer_, a), .end = {}};
        for (int line = from; line < to; ++line) { emitLine(writer_, a, line); }
        band.end = PlaceOf(writer_, a);
        return band;
    }
    ProgramLines& lines() { return lines_; }

private:
    MoveEmitterState state_;
    EmitterSettings settings_;
    NumberFormat numberFormat_;
    OriginOffset origin_;
    ProgramLines lines_;
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
    for (int from = 0; from < count; from += 2 * band) {
        const int middle = std::min(from + band, count);
        const int to = std::min(middle + band, count);
        if (middle == to) {
            printHere(from, to);
            break;
        }
        std::future<AheadBand> aheadBand;
        try {
            aheadBand = std::async(std::launch::async, [emitter = ahead.get(), &there, a, middle, to] {
                return emitter->print(there, a, middle, to);
            });
        } catch (const std::system_error&) {
            printHere(from, count);  // no second thread to be had
            return;
        }
        printHere(from, middle);
        const AheadBand printed = aheadBand.get();
        if (printed.start == PlaceOf(out, a)) {
            out.lines.appendAll(std::move(ahead->lines()));
            RestorePlace(out, a, printed.end);
            linesDone(to - middle);
        } else {
            printHere(middle, to);
        }
    }
}

}  // namespace bw
