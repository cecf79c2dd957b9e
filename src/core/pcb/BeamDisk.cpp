#include "pcb/BeamDisk.h"

#include <algorithm>
#include <cstring>

namespace bw {

bool InBeam(int px, int py, int cx, int cy, int r, int width, int height) {
    if (px < 0 || py < 0 || px >= width || py >= height) { return false; }
    std::int64_t dx = std::int64_t(px) - cx;
    std::int64_t dy = std::int64_t(py) - cy;
    return dx * dx + dy * dy <= std::int64_t(r) * r;
}

BeamDisk::BeamDisk(int radius) : radius_(radius) {
    for (std::int64_t dy = 0; dy <= radius; ++dy) {
        std::int64_t rest = std::int64_t(radius) * radius - dy * dy;
        std::int64_t h = 0;
        while ((h + 1) * (h + 1) <= rest) { ++h; }
        halfWidths_.push_back(static_cast<int>(h));
    }
}

namespace {

// The part of the disk's row dy that lies in the bitmap, as [first, last]; false when none.
bool clippedSpan(const ClassLayer& layer, int cx, int cy, int dy, int half, int& y, int& first, int& last) {
    std::int64_t row = std::int64_t(cy) + dy;
    if (row < 0 || row >= layer.height) { return false; }
    std::int64_t from = std::max<std::int64_t>(std::int64_t(cx) - half, 0);
    std::int64_t to = std::min<std::int64_t>(std::int64_t(cx) + half, layer.width - 1);
    if (from > to) { return false; }
    y = static_cast<int>(row);
    first = static_cast<int>(from);
    last = static_cast<int>(to);
    return true;
}

}  // namespace

bool BeamDisk::contains(const ClassLayer& layer, int cx, int cy, std::uint8_t value) const {
    for (int dy = -radius_; dy <= radius_; ++dy) {
        int y, first, last;
        if (!clippedSpan(layer, cx, cy, dy, halfWidth(dy), y, first, last)) { continue; }
        const int span = last - first + 1;
        if (std::memchr(layer.row(y) + first, value, static_cast<std::size_t>(span)) != nullptr) { return true; }
    }
    return false;
}

void BeamDisk::mark(ClassLayer& layer, int cx, int cy, std::uint8_t value) const {
    for (int dy = -radius_; dy <= radius_; ++dy) {
        int y, first, last;
        if (!clippedSpan(layer, cx, cy, dy, halfWidth(dy), y, first, last)) { continue; }
        const int span = last - first + 1;
        std::memset(layer.row(y) + first, value, static_cast<std::size_t>(span));
    }
}

namespace {

// out[x] |= distance[x] <= half. Fixed-length blocks over buffers that do not
// overlap, which the compiler turns into vector code.
void markWithin(const std::uint16_t* __restrict distance, std::uint16_t half, int width, std::uint8_t* __restrict out) {
    constexpr int kBlock = 64;
    int x = 0;
    for (; x + kBlock <= width; x += kBlock) {
        for (int k = 0; k < kBlock; ++k) { out[x + k] |= static_cast<std::uint8_t>(distance[x + k] <= half); }
    }
    for (; x < width; ++x) { out[x] |= static_cast<std::uint8_t>(distance[x] <= half); }
}

}  // namespace

LightReach::LightReach(const ClassLayer& layer, const BeamDisk& disk)
    : layer_(layer),
      disk_(disk),
      slots_(2 * disk.radius() + 1),
      cache_(static_cast<std::size_t>(slots_) * static_cast<std::size_t>(layer.width)),
      cachedRow_(static_cast<std::size_t>(slots_), -1) {}

const std::uint16_t* LightReach::distances(int y) {
    std::size_t slot = static_cast<std::size_t>(y % slots_);
    std::uint16_t* out = cache_.data() + slot * static_cast<std::size_t>(layer_.width);
    if (cachedRow_[slot] == y) { return out; }
    cachedRow_[slot] = y;
    // Distances beyond the radius all mean "out of reach"; capping keeps them small.
    const int cap = disk_.radius() + 1;
    const std::uint8_t* classes = layer_.row(y);
    int distance = cap;
    for (int x = 0; x < layer_.width; ++x) {
        distance = classes[x] == PixelClass::Light ? 0 : std::min(distance + 1, cap);
        out[x] = static_cast<std::uint16_t>(distance);
    }
    distance = cap;
    for (int x = layer_.width - 1; x >= 0; --x) {
        distance = classes[x] == PixelClass::Light ? 0 : std::min(distance + 1, cap);
        out[x] = std::min<std::uint16_t>(out[x], static_cast<std::uint16_t>(distance));
    }
    return out;
}

void LightReach::row(int y, std::uint8_t* out) {
    std::fill(out, out + layer_.width, std::uint8_t{0});
    const int r = disk_.radius();
    for (int dy = -r; dy <= r; ++dy) {
        int source = y + dy;
        if (source < 0 || source >= layer_.height) { continue; }
        markWithin(distances(source), static_cast<std::uint16_t>(disk_.halfWidth(dy)), layer_.width, out);
    }
}

}  // namespace bw
