#include "raster/RasterGenerator.h"

#include <utility>
#include <vector>

#include "gcode/MoveEmitter.h"
#include "i18n/MessageTexts.h"
#include "raster/RasterBands.h"

namespace bw {

namespace {

// Limits that keep every coordinate and the DIR axis far inside 64 bits; no
// engraver comes near them.
constexpr std::int64_t kMaxPixelSizeMm = 1000;
constexpr std::int64_t kMaxLengthMm = 1'000'000;
constexpr std::int64_t kMaxDirAxisStep = 1000;
constexpr std::int64_t kMaxPwm = 1'000'000'000;
constexpr std::int64_t kMaxPercent = 1'000'000;

Result<Fixed4> fieldNumber(std::string_view text, std::string_view name, std::int64_t limit, bool mayBeNegative,
                           char decimalSeparator) {
    auto value = parseDecimal(text, decimalSeparator);
    if (!value) { return Error{std::string(name) + ": \"" + std::string(text) + "\" is not a number"}; }
    if ((!mayBeNegative && value->raw < 0) || value->raw > limit * Fixed4::kScale ||
        value->raw < -limit * Fixed4::kScale) {
        return Error{std::string(name) + ": \"" + std::string(text) + "\" is out of range"};
    }
    return *value;
}

// percent x pwmMax / 100, rounded once to four decimals.
Fixed4 percentOf(Fixed4 percent, Fixed4 pwmMax) {
    return Fixed4::fromRaw(
        static_cast<std::int64_t>(divRoundEven(Int128(percent.raw) * pwmMax.raw, Int128(100) * Fixed4::kScale)));
}

Fixed4 times(Fixed4 length, int count) { return Fixed4::fromRaw(length.raw * count); }

// The pixels of a line of `count` (in travel order, `pixelAt(i)` the i-th) that
// are sent to the emitter: the first (the step onto the line), the last, and the
// last of each run of equal levels. A pixel at the level of the next one would
// only lengthen the move the emitter holds back (same way, feed and level).
// Found apart from the sending, without a branch per pixel; `sent` has room for
// count + 1 entries. Returns how many were found.
template <typename PixelAt>
int findSentPixels(int count, PixelAt pixelAt, int* sent) {
    int* next = sent;
    *next = 0;
    next += count > 0 ? 1 : 0;
    for (int i = 1; i + 1 < count; ++i) {
        *next = i;
        next += ((pixelAt(i) ^ pixelAt(i + 1)) & 0xFF0000u) != 0 ? 1 : 0;
    }
    *next = count - 1;
    next += count > 1 ? 1 : 0;
    return static_cast<int>(next - sent);
}

// The two kinds of raster move: burning at a level, and crossing with the laser off.
struct RasterMoves {
    Fixed4 z;
    int workFeed = 0;
    int rapidFeed = 0;

    void rapid(const ProgramWriter& out, Fixed4& a, Fixed4 x, Fixed4 y) const {
        LinearMove(out, a, {.motion = Motion::Rapid, .level = 0, .to = {x, y, z}, .feed = rapidFeed});
    }
    void burn(const ProgramWriter& out, Fixed4& a, int level, Fixed4 x, Fixed4 y) const {
        LinearMove(out, a, {.motion = Motion::Work, .level = level, .to = {x, y, z}, .feed = workFeed});
    }
    // One move per pixel, ending on the pixel's own position at its level;
    // white pixels are crossed with the laser off.
    void pixel(const ProgramWriter& out, Fixed4& a, std::uint32_t pixel, Fixed4 x, Fixed4 y) const {
        int level = 255 - static_cast<int>((pixel >> 16) & 0xFFu);
        if (level > 0) {
            burn(out, a, level, x, y);
        } else {
            rapid(out, a, x, y);
        }
    }
};

// The scan of one line, with room for the pixels it sends.
class LineScan {
public:
    explicit LineScan(int longest) : sent_(static_cast<std::size_t>(longest) + 1) {}

    // One line of `count` pixels: place k (0 at the picture's left or bottom) has
    // the pixel `pixelOf(k)` at `pointOf(k)`, travelled from place 0 when `forward`,
    // else from the last. The two directions are separate loops, so that the scan
    // of a line has no branch on its direction.
    template <typename PixelOf, typename PointOf>
    void visit(const RasterMoves& moves, const ProgramWriter& out, Fixed4& a, bool forward, int count, PixelOf pixelOf,
               PointOf pointOf) {
        auto travel = [&](auto placeOf) {
            auto pixelAt = [&](int i) { return pixelOf(placeOf(i)); };
            const int found = findSentPixels(count, pixelAt, sent_.data());
            for (int k = 0; k < found; ++k) {
                const int i = sent_[static_cast<std::size_t>(k)];
                const auto [x, y] = pointOf(placeOf(i));
                moves.pixel(out, a, pixelAt(i), x, y);
            }
        };
        if (forward) {
            travel([](int i) { return i; });
        } else {
            travel([&](int i) { return count - 1 - i; });
        }
    }

private:
    std::vector<int> sent_;
};

}  // namespace

Result<PictureExtent> RasterExtent(std::string_view pixelSizeText, const PixelBuffer& view, char decimalSeparator) {
    auto pixelSize = fieldNumber(pixelSizeText, "Pixel size [mm/pixel]", kMaxPixelSizeMm, false, decimalSeparator);
    if (!pixelSize) { return Error{pixelSize.error()}; }
    int width = view.empty() ? 0 : view.width;
    int height = view.empty() ? 0 : view.height;
    return PictureExtent{times(*pixelSize, width), times(*pixelSize, height)};
}

Status FillRasterParameters(JobParameters& params, const RasterJobFields& fields, const PixelBuffer& view,
                            char decimalSeparator) {
    const char sep = decimalSeparator;
    auto step = fieldNumber(fields.dirAxisStepText, "DIR-axis step", kMaxDirAxisStep, true, sep);
    auto pixelSize = fieldNumber(fields.pixelSizeText, "Pixel size [mm/pixel]", kMaxPixelSizeMm, false, sep);
    auto focusZ = fieldNumber(fields.focusZText, "Focus distance (Z) [mm]", kMaxLengthMm, true, sep);
    auto thickness = fieldNumber(fields.thicknessText, "Material thickness [mm]", kMaxLengthMm, true, sep);
    auto pwmMax = fieldNumber(fields.pwmMaxText, "Maximum PWM value", kMaxPwm, true, sep);
    auto powerMin = fieldNumber(fields.powerMinText, "Power [%] Min", kMaxPercent, true, sep);
    auto powerMax = fieldNumber(fields.powerMaxText, "Power [%] Max", kMaxPercent, true, sep);
    for (const Result<Fixed4>* field : {&step, &pixelSize, &focusZ, &thickness, &pwmMax, &powerMin, &powerMax}) {
        if (!*field) { return Error{field->error()}; }
    }
    params.sourceWidthPx = view.empty() ? 0 : view.width;
    params.sourceHeightPx = view.empty() ? 0 : view.height;
    params.dirAxisStep = *step;
    params.pixelSize = *pixelSize;
    params.focusZ = *focusZ;
    params.materialThickness = *thickness;
    params.workFeedText = fields.workFeedText;
    params.rapidFeedText = fields.rapidFeedText;
    params.rasterHorizontal = fields.horizontal;
    params.rasterVertical = fields.vertical;
    params.rasterFrame = fields.frame;
    params.pwmMax = *pwmMax;
    params.powerMinPwm = percentOf(*powerMin, *pwmMax);
    params.powerMaxPwm = percentOf(*powerMax, *pwmMax);
    params.headerText = withoutTrailingLineBreaks(fields.headerText);
    params.footerText = withoutTrailingLineBreaks(fields.footerText);
    params.maskText = fields.maskText;
    return success();
}

std::string PrintSizeText(int widthPx, int heightPx, Fixed4 pixelSize, int languageIndex, char decimalSeparator) {
    std::string text(messageText(Message::PrintSize, languageIndex));
    text += ' ';
    text += formatShortest(times(pixelSize, widthPx), decimalSeparator);
    text += 'x';
    text += formatShortest(times(pixelSize, heightPx), decimalSeparator);
    text += "mm";
    return text;
}

std::string RasterTooLongText(int languageIndex) {
    std::string text(messageText(Message::PreviewUnavailable, languageIndex));
    text += "\r\n";
    text += messageText(Message::GCodeTooLong, languageIndex);
    return text;
}

Result<RasterOutcome> GenerateRaster(const ProgramWriter& out, const JobParameters& params, int languageIndex,
                                     const PixelBuffer& work, const StatusCallback& status, char decimalSeparator,
                                     const RasterProgressCallback& progress) {
    // Feeds are converted once, before anything is emitted.
    auto workFeed = parseFeed(params.workFeedText, "Work speed [mm/min]");
    if (!workFeed) { return Error{workFeed.error()}; }
    auto rapidFeed = parseFeed(params.rapidFeedText, "Idle speed [mm/min]");
    if (!rapidFeed) { return Error{rapidFeed.error()}; }
    const int width = params.sourceWidthPx;
    const int height = params.sourceHeightPx;
    if (width < 0 || height < 0 || (width > 0 && height > 0 && (work.width != width || work.height != height))) {
        return Error{"The picture to engrave does not match the job's picture size"};
    }

    ResetEmitter(out);
    const ProgramWriter steady = SteadyWriter(out);
    ProgramLines& lines = out.lines;
    lines.clear();
    if (status) { status(PrintSizeText(width, height, params.pixelSize, languageIndex, decimalSeparator)); }
    lines.append(params.headerText);

    const Fixed4 p = params.pixelSize;
    const RasterMoves moves{
        .z = params.focusZ + params.materialThickness, .workFeed = *workFeed, .rapidFeed = *rapidFeed};
    const Fixed4 zero;
    Fixed4 a;
    moves.rapid(steady, a, zero, zero);

    if (params.rasterFrame) {
        const Fixed4 right = times(p, width);
        const Fixed4 top = times(p, height);
        moves.burn(steady, a, 255, zero, top);
        moves.burn(steady, a, 255, right, top);
        moves.burn(steady, a, 255, right, zero);
        moves.burn(steady, a, 255, zero, zero);
    }

    const bool hasPixels = width > 0 && height > 0;
    const std::int64_t total = (params.rasterHorizontal ? height : 0) + (params.rasterVertical ? width : 0);
    std::int64_t done = 0;
    auto linesDone = [&](std::int64_t more) {
        done += more;
        if (progress) { progress(done, total); }
    };
    if (params.rasterHorizontal && hasPixels) {
        ExpectGridPositions(steady, Axis::X, p, width);
        // Line 0 is the bottom row of the picture, so the engraving is not mirrored.
        // Each thread's lines keep their own copy of what they read for every pixel:
        // memory the other thread writes may share its cache line.
        auto makeEmitter = [&]() -> RasterLineEmitter {
            return [moves, pixels = work.pixels.data(), p, width, height, scan = LineScan(width)](
                       const ProgramWriter& writer, Fixed4& lineA, int r) mutable {
                const std::uint32_t* row =
                    pixels + static_cast<std::size_t>(height - 1 - r) * static_cast<std::size_t>(width);
                const Fixed4 y = times(p, r);
                scan.visit(
                    moves, writer, lineA, r % 2 == 0, width, [&](int column) { return row[column]; },
                    [&](int column) {
                        return std::pair{times(p, column), y};
                    });
            };
        };
        PrintRasterLines(steady, a, height, width, makeEmitter, linesDone);
    }
    if (params.rasterVertical && hasPixels) {
        // The horizontal pass ended far away: travel back with the laser off.
        if (params.rasterHorizontal) { moves.rapid(steady, a, zero, zero); }
        ExpectGridPositions(steady, Axis::Y, p, height);
        auto makeEmitter = [&]() -> RasterLineEmitter {
            return [moves, pixels = work.pixels.data(), p, width, height, scan = LineScan(height)](
                       const ProgramWriter& writer, Fixed4& lineA, int j) mutable {
                const Fixed4 x = times(p, j);
                const std::uint32_t* column = pixels + j;
                scan.visit(
                    moves, writer, lineA, j % 2 == 0, height,
                    [&](int k) {
                        return column[static_cast<std::size_t>(height - 1 - k) * static_cast<std::size_t>(width)];
                    },
                    [&](int k) {
                        return std::pair{x, times(p, k)};
                    });
            };
        };
        PrintRasterLines(steady, a, width, height, makeEmitter, linesDone);
    }

    moves.rapid(steady, a, zero, zero);
    // Only pushes the last real move out of the emitter; never printed itself.
    moves.rapid(steady, a, Fixed4::fromInt(10), Fixed4::fromInt(-15));
    lines.append(params.footerText);

    RasterOutcome outcome;
    outcome.previewSuppressed = lines.size() > kRasterViewLimit;
    return outcome;
}

}  // namespace bw
