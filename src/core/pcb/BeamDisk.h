#pragma once
// The beam modelled as a disk of whole pixels: the pixels (px, py) of the
// bitmap with (px - cx)^2 + (py - cy)^2 <= r^2. Pixels outside the bitmap never
// belong to a disk, so a disk near (or beyond) the edge is clipped.

#include <cstdint>
#include <vector>

#include "pcb/ClassLayer.h"

namespace bw {

// True when (px, py) lies inside a width x height bitmap and at most r from (cx, cy).
bool InBeam(int px, int py, int cx, int cy, int r, int width, int height);

class BeamDisk {
public:
    explicit BeamDisk(int radius);

    int radius() const { return radius_; }
    // Half width of the disk's row dy rows from the centre (|dy| <= r): floor(sqrt(r^2 - dy^2)).
    int halfWidth(int dy) const { return halfWidths_[static_cast<std::size_t>(dy < 0 ? -dy : dy)]; }

    // True when some pixel of the disk at (cx, cy) has the class value.
    bool contains(const ClassLayer& layer, int cx, int cy, std::uint8_t value) const;
    // Every pixel of the disk at (cx, cy) gets the value.
    void mark(ClassLayer& layer, int cx, int cy, std::uint8_t value) const;

private:
    int radius_;
    std::vector<int> halfWidths_;
};

// DiskFreeOf: no pixel of the disk has the value.
inline bool DiskFreeOf(const ClassLayer& layer, const BeamDisk& disk, int cx, int cy, std::uint8_t value) {
    return !disk.contains(layer, cx, cy, value);
}

// CanExpose: the disk still covers some dark unexposed pixel and no light one.
inline bool CanExpose(const ClassLayer& layer, const BeamDisk& disk, int cx, int cy) {
    return disk.contains(layer, cx, cy, PixelClass::Dark) && !disk.contains(layer, cx, cy, PixelClass::Light);
}

inline void MarkDisk(ClassLayer& layer, const BeamDisk& disk, int cx, int cy, std::uint8_t value) {
    disk.mark(layer, cx, cy, value);
}

// Answers, row by row, which centres have a light pixel in their disk. Light
// pixels never change during a job, so this is computed once per row from each
// row's horizontal distance to the nearest light pixel, instead of scanning
// whole disks at every position.
class LightReach {
public:
    LightReach(const ClassLayer& layer, const BeamDisk& disk);
    // out[x] = 1 when the disk at (x, y) holds a light pixel, for 0 <= x < width; 0 <= y < height.
    void row(int y, std::uint8_t* out);

private:
    const std::uint16_t* distances(int y);

    const ClassLayer& layer_;
    const BeamDisk& disk_;
    int slots_;
    std::vector<std::uint16_t> cache_;  // slots_ rows of distances
    std::vector<int> cachedRow_;        // which row each slot holds, -1 none
};

}  // namespace bw
