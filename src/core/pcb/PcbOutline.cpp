#include "pcb/PcbOutline.h"

#include <cstring>

#include "gcode/MoveEmitter.h"
#include "pcb/BeamDisk.h"
#include "pcb/PcbGeometry.h"

namespace bw {

namespace {

// Walk directions in bitmap coordinates (y grows downwards): right, down, left, up.
constexpr int kStepX[4] = {1, 0, -1, 0};
constexpr int kStepY[4] = {0, 1, 0, -1};
constexpr int kUp = 3;

// Beyond this the Heron product of the simplification leaves 128 bits.
constexpr std::int64_t kMaxExtentUnits = std::int64_t(1) << 29;

std::string positionText(int x, int y) {
    std::string text = "(";
    appendInteger(text, x);
    text += ", ";
    appendInteger(text, y);
    return text + ")";
}

class OutlineTracer {
public:
    OutlineTracer(ClassLayer& layer, const BeamDisk& disk, const PixelToMachine& machine, const StatusCallback& status)
        : layer_(layer), disk_(disk), machine_(machine), status_(status) {
        // Light pixels never change during the job, so "the disk here holds a
        // light pixel" is worked out once for every centre in the bitmap.
        lightInDisk_.width = layer.width;
        lightInDisk_.height = layer.height;
        lightInDisk_.cells.resize(layer.cells.size());
        LightReach reach(layer, disk);
        for (int y = 0; y < layer.height; ++y) { reach.row(y, lightInDisk_.row(y)); }
        seenDirections_.assign(layer.cells.size(), 0);
    }

    // The start search: rows r..height-r-1, columns r+1..width-r-1, a light pixel in
    // the disk here but neither light nor walked pixels in the disk one to the left.
    void traceAll(std::vector<Contour>& contours) {
        const int r = disk_.radius();
        for (int y = r; y < layer_.height - r; ++y) {
            const std::uint8_t* light = lightInDisk_.row(y);
            const int end = layer_.width - r;
            for (int x = r + 1; x < end; ++x) {
                // Starts are rare: eight positions without a 0 -> 1 step are passed at once.
                if (x + 8 <= end && !anyRise(light + x - 1)) {
                    x += 7;
                    continue;
                }
                if (light[x] && !light[x - 1] && DiskFreeOf(layer_, disk_, x - 1, y, PixelClass::Walked)) {
                    contours.push_back(TraceOutline(x - 1, y));
                }
            }
        }
    }

    int unfinishedWalks() const { return unfinished_; }

private:
    // Whether at[k + 1] is set and at[k] is not for some k in 0..7 (the bytes are 0 or 1).
    static bool anyRise(const std::uint8_t* at) {
        std::uint64_t before, here;
        std::memcpy(&before, at, sizeof before);
        std::memcpy(&here, at + 1, sizeof here);
        return (here & ~before) != 0;
    }

    // The disk one step on holds a light pixel. A step out of the bitmap counts as
    // blocked too: the walk then follows the bitmap's edge round copper that
    // touches it and comes back to its start, instead of wandering round the
    // outside of the picture (or for ever) with the beam off the board.
    bool Blocked(int cx, int cy, int d) const {
        const int nx = cx + kStepX[d % 4];
        const int ny = cy + kStepY[d % 4];
        return !layer_.contains(nx, ny) || lightInDisk_.at(nx, ny) != 0;
    }

    MachinePoint point(int x, int y) const { return {machine_.x(x), machine_.y(y)}; }

    // The next step depends only on the position and the direction, so a walk that
    // meets the same pair twice before its start would run in a circle for ever.
    // A walk that keeps to free positions comes back to its start; this guard only
    // makes sure that no walk can hang the job.
    bool seenBefore(int x, int y, int d) {
        std::size_t index =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(layer_.width) + static_cast<std::size_t>(x);
        std::uint8_t& seen = seenDirections_[index];
        if (seen & (1u << d)) { return true; }
        if (seen == 0) { touched_.push_back(index); }
        seen = static_cast<std::uint8_t>(seen | (1u << d));
        return false;
    }

    void forgetSeen() {
        for (std::size_t index : touched_) { seenDirections_[index] = 0; }
        touched_.clear();
    }

    Contour TraceOutline(const int sx, const int sy) {
        Contour contour{point(sx, sy)};
        int x = sx;
        int y = sy;
        int d = kUp;
        for (;;) {
            if (x == sx && y == sy && !CanExpose(layer_, disk_, x, y)) {
                contour.push_back(point(x, y));
                forgetSeen();
                return contour;
            }
            if (seenBefore(x, y, d)) {
                endEarly(contour, sx, sy, x, y, " runs in a circle that misses its start at ");
                return contour;
            }
            MarkDisk(layer_, disk_, x, y, PixelClass::Walked);
            int next;
            if (!Blocked(x, y, d + 1)) {
                next = (d + 1) % 4;
            } else if (!Blocked(x, y, d)) {
                next = d;
            } else if (!Blocked(x, y, d + 3)) {
                next = (d + 3) % 4;
            } else {
                next = (d + 2) % 4;
            }
            if (next == (d + 2) % 4 && Blocked(x, y, next)) {
                // Only a start without any free neighbour gets here: the turn back would
                // put the beam on light pixels (or off the bitmap). The start alone is its contour.
                contour.push_back(point(x, y));
                forgetSeen();
                return contour;
            }
            if (next != d) { contour.push_back(point(x, y)); }
            d = next;
            x += kStepX[d];
            y += kStepY[d];
        }
    }

    // Keeps what was traced, ending at the current position, and says so.
    void endEarly(Contour& contour, int sx, int sy, int x, int y, const char* what) {
        if (contour.back() != point(x, y)) { contour.push_back(point(x, y)); }
        forgetSeen();
        ++unfinished_;
        if (status_) {
            status_("Outline: the walk from pixel " + positionText(sx, sy) + what + positionText(x, y) +
                    "; its contour ends there");
        }
    }

    ClassLayer& layer_;
    const BeamDisk& disk_;
    const PixelToMachine& machine_;
    const StatusCallback& status_;
    ClassLayer lightInDisk_;                    // 1 where the disk centred there holds a light pixel
    std::vector<std::uint8_t> seenDirections_;  // per position, a bit for each direction met in this walk
    std::vector<std::size_t> touched_;          // positions whose bits are set
    int unfinished_ = 0;
};

}  // namespace

std::string OutlineStatisticsLine(std::size_t before, std::size_t after, char decimalSeparator) {
    // A comment, so that controllers and interpreters read past it.
    std::string line = "; ";
    appendInteger(line, static_cast<std::int64_t>(before));
    line += " -> ";
    appendInteger(line, static_cast<std::int64_t>(after));
    line += " (-";
    // 100 - after x 100 / before, exactly, to one decimal with halves away from zero.
    Int128 tenths = before == 0 ? 0 : divRoundHalfAway((Int128(before) - Int128(after)) * 1000, Int128(before));
    line += formatFixed(Fixed4::fromRaw(static_cast<std::int64_t>(tenths) * 1000), 1, decimalSeparator);
    return line + "%)";
}

Result<PcbOutlineResult> GeneratePcbOutline(const ProgramWriter& out, JobParameters& params, PcbState& pcb,
                                            char decimalSeparator, const StatusCallback& status) {
    if (!pcb.loaded()) { return Error{"No PCB bitmap is loaded"}; }
    auto radius = BeamRadiusPx(params.beamDiameter, params.pcbDpi);
    if (!radius) { return Error{radius.error()}; }
    const PixelToMachine machine(params.pcbDpi, pcb.pcbHeight);
    if (machine.x(pcb.pcbWidth).raw >= kMaxExtentUnits || machine.x(pcb.pcbHeight).raw >= kMaxExtentUnits) {
        return Error{"The PCB is larger than 53 m at this resolution, which is outside the supported range"};
    }

    pcb.outlineClassMap = pcb.pcbClassMap;
    ProgramLines& lines = out.lines;
    lines.clear();
    ResetEmitter(out);

    PcbOutlineResult result;
    result.beamRadiusPx = *radius;
    const BeamDisk disk(*radius);
    if (status) { status("Outline: tracing"); }
    OutlineTracer tracer(pcb.outlineClassMap, disk, machine, status);
    tracer.traceAll(result.traced);
    result.unfinishedWalks = tracer.unfinishedWalks();

    if (status) { status("Outline: simplifying"); }
    result.simplified.reserve(result.traced.size());
    for (const Contour& contour : result.traced) {
        result.simplified.push_back(SimplifyPolyline(contour, kOutlineEpsilon));
    }
    for (std::size_t i = 0; i < result.traced.size(); ++i) {
        lines.append(OutlineStatisticsLine(result.traced[i].size(), result.simplified[i].size(), decimalSeparator));
    }

    params.pwmMax = Fixed4::fromInt(255);
    params.workFeedText = "1500";
    params.rapidFeedText = "10000";
    const int burnLevel = static_cast<int>(params.pwmMax.raw / Fixed4::kScale);

    Fixed4 a{};
    for (const Contour& contour : result.simplified) {
        const Fixed4 x = contour.front().x, y = contour.front().y;
        LinearMove(out, a, {.motion = Motion::Rapid, .level = 0, .to = {x, y, kOutlineZ}, .feed = kOutlineRapidFeed});
        for (std::size_t i = 1; i < contour.size(); ++i) {
            LinearMove(out, a,
                       {.motion = Motion::Work,
                        .level = burnLevel,
                        .to = {contour[i].x, contour[i].y, kOutlineZ},
                        .feed = kOutlineWorkFeed});
        }
    }
    if (!result.simplified.empty()) {
        // The emitter holds the last move back; one more move, never printed itself, writes it.
        LinearMove(out, a,
                   {.motion = Motion::Rapid,
                    .level = 0,
                    .to = {Fixed4::fromInt(10), Fixed4::fromInt(-15), kOutlineZ},
                    .feed = kOutlineRapidFeed});
    }
    if (status) {
        std::string text = "Outline: contours traced: ";
        appendInteger(text, static_cast<std::int64_t>(result.traced.size()));
        status(text);
    }
    return result;
}

}  // namespace bw
