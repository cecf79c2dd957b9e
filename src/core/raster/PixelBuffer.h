#pragma once
// A plain 32-bit picture: rows top to bottom, each pixel 0xAARRGGBB in one
// 32-bit word (blue in the lowest byte), as the window's bitmaps hold them.

#include <cstdint>
#include <vector>

namespace bw {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, row by row from the top

    PixelBuffer() = default;
    PixelBuffer(int w, int h, std::uint32_t fill = 0xFFFFFFFFu)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
    const std::uint32_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    bool empty() const { return width <= 0 || height <= 0; }
};

}  // namespace bw
