#pragma once
// The fields of a BMP file header that decide whether a file can be what it
// claims, and a check that the pixel data it announces is all there. Qt's
// reader fills rows missing from a short file (or the rest of a cut RLE
// stream) with zeros and reports success, so these checks run before decoding.

#include <cstdint>
#include <optional>
#include <string_view>

namespace bw {

struct BmpHeader {
    std::int64_t width = 0;   // pixels
    std::int64_t height = 0;  // pixels, positive whatever the row order
    bool topDown = false;     // rows stored from the top (negative height in the file)
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3/6 colour masks
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
};

// nullopt when the bytes do not start with a BMP header that can be read.
std::optional<BmpHeader> ParseBmpHeader(std::string_view file);

// True when every pixel row (or the whole RLE stream up to its end mark or last
// row) lies inside the file, with a supported depth and compression.
bool BmpPixelsComplete(const BmpHeader& header, std::string_view file);

}  // namespace bw
