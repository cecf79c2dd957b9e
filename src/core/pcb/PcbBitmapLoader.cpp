#include "pcb/PcbBitmapLoader.h"

#include <limits>

namespace bw {

bool IsDarkPixel(std::uint32_t argb) {
    std::uint32_t red = (argb >> 16) & 0xFF;
    std::uint32_t green = (argb >> 8) & 0xFF;
    std::uint32_t blue = argb & 0xFF;
    return 299 * red + 587 * green + 114 * blue < 128 * 1000;
}

namespace {

// Fixed-length blocks over buffers that do not overlap, which the compiler turns into vector code.
void classify(const std::uint32_t* __restrict pixels, std::size_t count, std::uint8_t* __restrict cells) {
    constexpr std::size_t kBlock = 64;
    std::size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (std::size_t k = 0; k < kBlock; ++k) {
            cells[i + k] = IsDarkPixel(pixels[i + k]) ? PixelClass::Dark : PixelClass::Light;
        }
    }
    for (; i < count; ++i) { cells[i] = IsDarkPixel(pixels[i]) ? PixelClass::Dark : PixelClass::Light; }
}

}  // namespace

Status LoadPcbBitmap(PcbState& pcb, const PixelBuffer& picture) {
    if (picture.width < 0 || picture.height < 0 ||
        picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        return Error{"The PCB picture is damaged (its size does not match its pixels)"};
    }
    PcbState loaded;
    if (!picture.empty()) {
        loaded.pcbWidth = picture.width;
        loaded.pcbHeight = picture.height;
        ClassLayer& layer = loaded.pcbClassMap;
        layer.width = picture.width;
        layer.height = picture.height;
        layer.cells.resize(picture.pixels.size());
        classify(picture.pixels.data(), picture.pixels.size(), layer.cells.data());
        loaded.rasterClassMap = layer;
        loaded.outlineClassMap = layer;
    }
    pcb = std::move(loaded);
    return success();
}

}  // namespace bw
