#pragma once
// Loading a PCB layer: every pixel is classified once as dark (copper to expose)
// or light, into all three class layers.

#include <cstdint>

#include "common/Result.h"
#include "pcb/PcbState.h"
#include "raster/PixelBuffer.h"

namespace bw {

// Black is dark and white is light; any other colour is dark when its luminance
// (299 R + 587 G + 114 B) / 1000 is below 128. Alpha plays no part.
bool IsDarkPixel(std::uint32_t argb);

// Replaces the PCB's size and all three layers (also the marks of earlier runs).
// A 0 x 0 picture leaves the layers empty.
Status LoadPcbBitmap(PcbState& pcb, const PixelBuffer& picture);

}  // namespace bw
