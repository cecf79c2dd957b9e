#include "raster/ToneProcessing.h"

#include <utility>
#include <vector>

namespace bw {

ToneMode toneModeFor(bool greyscaleChecked, bool ditheringChecked) {
    if (ditheringChecked) { return ToneMode::Dithering; }
    return greyscaleChecked ? ToneMode::Greyscale : ToneMode::Threshold;
}

namespace {

// Counts the rows done over all stages of a run and tells the caller after each band.
class BandReport {
public:
    BandReport(const ToneProgress& progress, int height, int stages)
        : progress_(progress), total_(static_cast<std::int64_t>(height) * stages) {}

    void rowDone() {
        ++done_;
        constexpr int kBandRows = 64;
        if (progress_ && (done_ % kBandRows == 0 || done_ == total_)) {
            progress_(static_cast<int>(done_ * 100 / total_));
        }
    }

private:
    const ToneProgress& progress_;
    std::int64_t total_;
    std::int64_t done_ = 0;
};

// Both work in place: each pixel is read before it is written.
void toGrey(PixelBuffer& image, BandReport& report) {
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < image.width; ++x) { row[x] = greyPixel(greyOf(row[x])); }
        report.rowDone();
    }
}

void toBlackWhite(PixelBuffer& image, int threshold, BandReport& report) {
    const std::uint32_t white = greyPixel(255);
    const std::uint32_t black = greyPixel(0);
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < image.width; ++x) { row[x] = greyOf(row[x]) > threshold ? white : black; }
        report.rowDone();
    }
}

// Floyd-Steinberg over the grey image, every row left to right. The error of a
// pixel goes 7/16 right, 3/16 below left, 5/16 below and 1/16 below right. The
// error rows carry one spare column on each side so the edges need no test;
// only the current and the next row are ever touched, so two rows are kept and
// swapped (the values are the same as with a table of the whole picture).
// Within a row the error going right and the two cells below still being
// summed stay in registers instead of passing through memory from one pixel
// to the next; every sum is formed in the same order as cell by cell, so the
// result is the same to the last bit.
void dither(PixelBuffer& image, BandReport& report) {
    const int width = image.width;
    std::vector<double> errors(2 * (static_cast<std::size_t>(width) + 2), 0.0);
    double* current = errors.data();
    double* below = errors.data() + width + 2;
    const std::uint32_t white = greyPixel(255);
    const std::uint32_t black = greyPixel(0);
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = image.row(y);
        double right = current[1];    // current[x + 1] with the error of pixel x - 1 added
        double belowHere = below[0];  // below[x] with what pixels x - 2 and x - 1 gave it
        double belowNext = below[1];  // below[x + 1] with what pixel x - 1 gave it
        for (int x = 0; x < width; ++x) {
            const double v = (row[x] & 0xFFu) + right;
            // The error going right decides the next pixel; it is worked out for
            // both outcomes while the comparison runs, and the choice made without
            // a branch (which would guess wrong about every other pixel).
            const bool light = v >= 128;
            row[x] = black ^ ((white ^ black) & (0u - static_cast<std::uint32_t>(light)));
            const double whiteError = v - 255;
            const double rightIfWhite = current[x + 2] + whiteError * 7 / 16;
            const double rightIfBlack = current[x + 2] + v * 7 / 16;
            const double e = light ? whiteError : v;
            right = light ? rightIfWhite : rightIfBlack;
            below[x] = belowHere + e * 3 / 16;
            belowHere = belowNext + e * 5 / 16;
            belowNext = below[x + 2] + e * 1 / 16;
        }
        below[width] = belowHere;
        below[width + 1] = belowNext;
        std::swap(current, below);
        std::fill(below, below + width + 2, 0.0);
        report.rowDone();
    }
}

}  // namespace

PixelBuffer ProcessTones(PixelBuffer&& picture, ToneMode mode, int threshold, const ToneProgress& progress) {
    if (picture.empty()) { return PixelBuffer{}; }
    PixelBuffer out = std::move(picture);
    BandReport report(progress, out.height, mode == ToneMode::Dithering ? 2 : 1);
    if (mode == ToneMode::Threshold) {
        toBlackWhite(out, threshold, report);
        return out;
    }
    toGrey(out, report);
    if (mode == ToneMode::Dithering) { dither(out, report); }
    return out;
}

PixelBuffer ProcessTones(const PixelBuffer& source, ToneMode mode, int threshold, const ToneProgress& progress) {
    if (source.empty()) { return PixelBuffer{}; }
    return ProcessTones(PixelBuffer(source), mode, threshold, progress);
}

}  // namespace bw
