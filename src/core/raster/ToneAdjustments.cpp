#include "raster/ToneAdjustments.h"

#include <cmath>

#include "common/Fixed4.h"

namespace bw {

ToneTable BuildGammaTable(int gammaPosition) {
    ToneTable table{};
    double gamma = gammaPosition / 100.0;
    for (int i = 0; i < 256; ++i) {
        double value = 255.0 * std::pow(i / 255.0, 1.0 / gamma);
        std::int64_t rounded = roundEven(value);
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(rounded < 0 ? 0 : rounded > 255 ? 255 : rounded);
    }
    return table;
}

int ContrastFactor(int contrast) {
    // (n / 255 + 1) x 256 = (n + 255) x 256 / 255 exactly; it is never halfway.
    return static_cast<int>(divRoundEven(Int128(contrast + 255) * 256, 255));
}

std::uint8_t AdjustBrightnessContrast(int byte, int brightness, int contrastFactor) {
    std::int32_t v = (byte - 128 + brightness) * contrastFactor + 32768;
    if (v < 0) { return 0; }
    if (v > 65280) { return 255; }
    return static_cast<std::uint8_t>(v / 256);
}

ToneTable BuildAdjustmentTable(const ToneAdjustments& adjustments) {
    ToneTable gamma = BuildGammaTable(adjustments.gammaPosition);
    int k = ContrastFactor(adjustments.contrast);
    ToneTable table{};
    for (int i = 0; i < 256; ++i) {
        table[static_cast<std::size_t>(i)] = gamma[AdjustBrightnessContrast(i, adjustments.brightness, k)];
    }
    return table;
}

namespace {
bool isIdentity(const ToneTable& table) {
    for (int i = 0; i < 256; ++i) {
        if (table[static_cast<std::size_t>(i)] != i) { return false; }
    }
    return true;
}
}  // namespace

bool ChangesTones(const ToneAdjustments& adjustments) { return !isIdentity(BuildAdjustmentTable(adjustments)); }

void ApplyAdjustments(PixelBuffer& view, const ToneAdjustments& adjustments) {
    const ToneTable table = BuildAdjustmentTable(adjustments);
    if (isIdentity(table)) {
        // Neutral settings (the usual case) only make every pixel opaque.
        for (int y = 0; y < view.height; ++y) {
            std::uint32_t* row = view.row(y);
            for (int x = 0; x < view.width; ++x) { row[x] |= 0xFF000000u; }
        }
        return;
    }
    for (int y = 0; y < view.height; ++y) {
        std::uint32_t* row = view.row(y);
        for (int x = 0; x < view.width; ++x) {
            std::uint32_t pixel = row[x];
            row[x] = 0xFF000000u | std::uint32_t(table[(pixel >> 16) & 0xFFu]) << 16 |
                     std::uint32_t(table[(pixel >> 8) & 0xFFu]) << 8 | table[pixel & 0xFFu];
        }
    }
}

}  // namespace bw
