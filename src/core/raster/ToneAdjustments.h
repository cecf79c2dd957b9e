#pragma once
// The second half of picture preparation, applied to the picture the view shows
// (and therefore to what is engraved): brightness and contrast by an integer
// formula, then gamma through a 256-entry table.

#include <array>
#include <cstdint>

#include "raster/PixelBuffer.h"
#include "raster/ToneProcessing.h"

namespace bw {

struct ToneAdjustments {
    int gammaPosition = 100;  // gamma x 100, 1..800 (the track bar's position)
    int brightness = 0;       // -255..255
    int contrast = 0;         // -255..255
};

// Gamma, brightness and contrast act on grey pictures only: a black and white
// picture is engraved as the threshold or the dithering made it (the window
// disables their bars then).
inline ToneAdjustments ActiveAdjustments(ToneMode mode, const ToneAdjustments& adjustments) {
    return mode == ToneMode::Greyscale ? adjustments : ToneAdjustments{};
}

inline constexpr int kMinGammaPosition = 1;
inline constexpr int kMaxGammaPosition = 800;
inline constexpr int kMaxBrightnessContrast = 255;

using ToneTable = std::array<std::uint8_t, 256>;

// Entry i = round(255 x (i / 255)^(100 / gammaPosition)), halves to even, clamped to 0..255.
ToneTable BuildGammaTable(int gammaPosition);

// k = round((contrast / 255 + 1) x 256): 0 for -255, 256 (unchanged) for 0, 512 for +255.
int ContrastFactor(int contrast);

// One byte through brightness and contrast: v = (byte - 128 + brightness) x k + 32768,
// 0 below 0, 255 above 65280, else v div 256.
std::uint8_t AdjustBrightnessContrast(int byte, int brightness, int contrastFactor);

// Brightness and contrast, then gamma, as one table over the byte values.
ToneTable BuildAdjustmentTable(const ToneAdjustments& adjustments);

// Whether the adjustments change any byte value (the neutral settings do not).
bool ChangesTones(const ToneAdjustments& adjustments);

// Applies the adjustments to blue, green and red of every pixel; the fourth
// byte becomes opaque. A picture fresh from ProcessTones is opaque already, so
// adjustments that change no tone need not be applied to it.
void ApplyAdjustments(PixelBuffer& view, const ToneAdjustments& adjustments);

}  // namespace bw
