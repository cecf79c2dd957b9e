#include "raster/ToneProcessing.h"

#include <vector>

namespace bw {

ToneMode toneModeFor(bool greyscaleChecked, bool ditheringChecked) {
    if (ditheringChecked) { return ToneMode::Dithering; }
    return greyscaleChecked ? ToneMode::Greyscale : ToneMode::Threshold;
}

namespace {

void toGrey(const PixelBuffer& source, PixelBuffer& out) {
    for (int y = 0; y < source.height; ++y) {
        const std::uint32_t* in = source.row(y);
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < source.width; ++x) { row[x] = greyPixel(greyOf(in[x])); }
    }
}

void toBlackWhite(const PixelBuffer& source, int threshold, PixelBuffer& out) {
    const std::uint32_t white = greyPixel(255);
    const std::uint32_t black = greyPixel(0);
    for (int y = 0; y < source.height; ++y) {
        const std::uint32_t* in = source.row(y);
        std::uint32_t* row = out.row(y);
        for (int x = 0; x < source.width; ++x) { row[x] = greyOf(in[x]) > threshold ? white : black; }
    }
}

// Floyd-Steinberg over the grey image, every row left to right. The error of a
// pixel goes 7/16 right, 3/16 below left, 5/16 below and 1/16 below right. The
// error rows carry one spare column on each side so the edges need no test;
// only the current and the next row are ever touched, so two rows are kept and
// swapped (the values are the same as with a table of the whole picture).
void dither(PixelBuffer& image) {
    const int width = image.width;
    std::vector<double> errors(2 * (static_cast<std::size_t>(width) + 2), 0.0);
    double* current = errors.data();
    double* below = errors.data() + width + 2;
    const std::uint32_t white = greyPixel(255);
    const std::uint32_t black = greyPixel(0);
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            double v = (row[x] & 0xFFu) + current[x + 1];
            double e;
            if (v >= 128) {
                row[x] = white;
                e = v - 255;
            } else {
                row[x] = black;
                e = v;
            }
            current[x + 2] += e * 7 / 16;
            below[x] += e * 3 / 16;
            below[x + 1] += e * 5 / 16;
            below[x + 2] += e * 1 / 16;
        }
        std::swap(current, below);
        std::fill(below, below + width + 2, 0.0);
    }
}

}  // namespace

PixelBuffer ProcessTones(const PixelBuffer& source, ToneMode mode, int threshold) {
    if (source.empty()) { return PixelBuffer{}; }
    PixelBuffer out(source.width, source.height);
    if (mode == ToneMode::Threshold) {
        toBlackWhite(source, threshold, out);
        return out;
    }
    toGrey(source, out);
    if (mode == ToneMode::Dithering) { dither(out); }
    return out;
}

}  // namespace bw
