#pragma once
// One class layer of a PCB bitmap: a byte per pixel in one contiguous block,
// row by row from the top, so that a row of the beam disk is one memchr/memset.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bw {

// Pixel classes of a PCB layer.
namespace PixelClass {
inline constexpr std::uint8_t Dark = 0;     // dark, not yet exposed
inline constexpr std::uint8_t Light = 1;    // light: must never be exposed
inline constexpr std::uint8_t Walked = 2;   // covered by a traced outline
inline constexpr std::uint8_t Exposed = 4;  // exposed by the raster
}  // namespace PixelClass

struct ClassLayer {
    int width = 0;                    // columns
    int height = 0;                   // rows
    std::vector<std::uint8_t> cells;  // width * height classes, row by row from the top

    bool empty() const { return cells.empty(); }
    std::uint8_t at(int x, int y) const { return cells[index(x, y)]; }
    std::uint8_t& at(int x, int y) { return cells[index(x, y)]; }
    const std::uint8_t* row(int y) const { return cells.data() + index(0, y); }
    std::uint8_t* row(int y) { return cells.data() + index(0, y); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

}  // namespace bw
