#include "pcb/ClassRendering.h"

#include <array>

namespace bw {

IndexedPicture RenderClassMap(const ClassLayer& layer, const ClassIndices& indices) {
    std::array<std::uint8_t, 256> lookup{};
    lookup[PixelClass::Dark] = indices.dark;
    lookup[PixelClass::Light] = indices.light;
    lookup[PixelClass::Walked] = indices.walked;
    lookup[PixelClass::Exposed] = indices.exposed;
    IndexedPicture picture;
    picture.width = layer.width;
    picture.height = layer.height;
    picture.indices.resize(layer.cells.size());
    for (std::size_t i = 0; i < layer.cells.size(); ++i) { picture.indices[i] = lookup[layer.cells[i]]; }
    return picture;
}

std::uint32_t PreviewPaletteColour(std::uint8_t index) {
    switch (index) {
        case 100: return 0xFFFF8C00u;  // orange: walked bands
        case 200: return 0xFF1E5AFFu;  // blue: exposed pixels
        default: {
            std::uint32_t grey = index;
            return 0xFF000000u | (grey << 16) | (grey << 8) | grey;
        }
    }
}

PixelBuffer ToPixels(const IndexedPicture& picture) {
    PixelBuffer pixels(picture.width, picture.height);
    for (std::size_t i = 0; i < picture.indices.size(); ++i) {
        pixels.pixels[i] = PreviewPaletteColour(picture.indices[i]);
    }
    return pixels;
}

}  // namespace bw
