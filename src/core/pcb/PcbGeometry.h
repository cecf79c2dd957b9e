#pragma once
// Pixels to millimetres for a PCB bitmap. The pitch q = 25.4 / DPI is never
// rounded: every value below is computed exactly and rounded once.

#include <cstdint>

#include "common/Fixed4.h"
#include "common/Result.h"

namespace bw {

// Beams wider than this (in pixels of radius) are outside the supported range.
inline constexpr int kMaxBeamRadiusPx = 255;

// The smallest whole number >= diameter / q / 2. Refuses a DPI below 1 and
// radii of 0 (the raster's line step would be -1) or above kMaxBeamRadiusPx.
Result<int> BeamRadiusPx(Fixed4 beamDiameter, std::int32_t dpi);

// Machine coordinates of pixel column x and row y: X = x q, Y = (height - y) q.
class PixelToMachine {
public:
    PixelToMachine(std::int32_t dpi, std::int32_t pcbHeight) : dpi_(dpi), height_(pcbHeight) {}
    Fixed4 x(std::int64_t column) const { return scaled(column); }
    Fixed4 y(std::int64_t row) const { return scaled(std::int64_t(height_) - row); }

private:
    Fixed4 scaled(std::int64_t pixels) const;
    std::int32_t dpi_;
    std::int32_t height_;
};

// Size of a width x height pixel bitmap in mm, each rounded once (the extent the start point refers to).
struct PcbExtent {
    Fixed4 width;
    Fixed4 height;
};
Result<PcbExtent> PcbExtentMm(std::int32_t widthPx, std::int32_t heightPx, std::int32_t dpi);

}  // namespace bw
