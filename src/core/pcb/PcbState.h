#pragma once
// The loaded PCB layer: its size and its three class layers. The load fills all
// three alike; each raster or outline job refreshes its own working copy from
// `pcbClassMap`, so the marks of the last run stay for the preview.

#include <cstdint>

#include "pcb/ClassLayer.h"

namespace bw {

struct PcbState {
    std::int32_t pcbWidth = 0;   // width of the loaded PCB bitmap in pixels
    std::int32_t pcbHeight = 0;  // height of the loaded PCB bitmap in pixels
    ClassLayer pcbClassMap;      // classification made at load, never changed afterwards
    ClassLayer rasterClassMap;   // working copy of the raster job (class 4 = exposed)
    ClassLayer outlineClassMap;  // working copy of the outline job (class 2 = walked)

    // Empty layers mean that no PCB (or a 0 x 0 one) has been loaded.
    bool loaded() const { return !pcbClassMap.empty(); }
};

}  // namespace bw
