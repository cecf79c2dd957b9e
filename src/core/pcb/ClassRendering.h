#pragma once
// Painting a class layer into an 8-bit palette picture: each pixel gets the
// palette index chosen by its class. The window shows the result in the PCB
// view; the command line writes it as a preview picture.

#include <cstdint>
#include <vector>

#include "pcb/ClassLayer.h"
#include "raster/PixelBuffer.h"

namespace bw {

// Palette index for each class.
struct ClassIndices {
    std::uint8_t dark = 255;     // class 0
    std::uint8_t light = 0;      // class 1
    std::uint8_t walked = 100;   // class 2
    std::uint8_t exposed = 255;  // class 4
};

// The paintings the PCB page uses.
inline constexpr ClassIndices kPlainClasses{255, 0, 255, 255};   // after loading and before a run
inline constexpr ClassIndices kLoadedClasses{255, 0, 100, 255};  // the load's own painting
inline constexpr ClassIndices kRasterPreviewClasses{255, 0, 255, 200};
inline constexpr ClassIndices kOutlinePreviewClasses{255, 0, 100, 255};

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;  // width * height palette indices, row by row from the top
};

IndexedPicture RenderClassMap(const ClassLayer& layer, const ClassIndices& indices);

// Colour of a palette index: 0 black, 255 white, 100 orange and 200 blue (the
// two highlights), every other index a grey of its own value.
std::uint32_t PreviewPaletteColour(std::uint8_t index);
PixelBuffer ToPixels(const IndexedPicture& picture);

}  // namespace bw
