#pragma once
// The first half of picture preparation: the picture at its working size becomes
// black and white by a threshold, grey, or dithered black and white. Every
// output pixel is grey (red = green = blue); the red byte is what the raster
// generator reads. Runs on the worker in the window; pure and re-entrant here.

#include <cstdint>
#include <functional>

#include "raster/PixelBuffer.h"

namespace bw {

enum class ToneMode : int {
    Threshold = 0,  // black/white by the threshold
    Greyscale = 1,  // grey only
    Dithering = 2,  // grey, then Floyd-Steinberg black/white
};

inline constexpr int kDefaultToneThreshold = 128;

// The mode the two check boxes select; dithering wins when both are checked.
ToneMode toneModeFor(bool greyscaleChecked, bool ditheringChecked);

// Grey of one pixel: the plain mean of its three bytes, truncated.
inline int greyOf(std::uint32_t pixel) {
    const std::uint32_t sum = ((pixel >> 16) & 0xFFu) + ((pixel >> 8) & 0xFFu) + (pixel & 0xFFu);
    // sum / 3 as a multiplication, exact for every sum below 2^17.
    return static_cast<int>((sum * 43691u) >> 17);
}

// An opaque grey pixel.
inline std::uint32_t greyPixel(int grey) { return 0xFF000000u | static_cast<std::uint32_t>(grey) * 0x010101u; }

// Told the share of the work done (0..100) after each band of rows, so that a
// caller can show it and stop the run (by throwing) on a large picture.
using ToneProgress = std::function<void(int percent)>;

// Threshold mode: a grey above `threshold` becomes white, anything else (the
// threshold itself too) black. `threshold` is 0..255. `progress` may be empty.
PixelBuffer ProcessTones(const PixelBuffer& source, ToneMode mode, int threshold, const ToneProgress& progress = {});
// The same in the picture's own memory, for a caller that no longer needs the picture.
PixelBuffer ProcessTones(PixelBuffer&& picture, ToneMode mode, int threshold, const ToneProgress& progress = {});

}  // namespace bw
