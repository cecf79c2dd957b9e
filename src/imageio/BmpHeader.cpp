#include "BmpHeader.h"

namespace bw {

namespace {

std::uint32_t u32(std::string_view b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

constexpr std::uint32_t kPlain = 0, kRle8 = 1, kRle4 = 2, kMasks = 3, kAlphaMasks = 6;

// Walks the RLE commands without decoding them: the stream must stay inside the
// file until its end-of-bitmap mark, or until every row was ended.
bool rleComplete(const BmpHeader& header, std::string_view file) {
    std::size_t at = header.pixelOffset;
    std::int64_t row = 0;
    while (row < header.height) {
        if (at + 2 > file.size()) { return false; }
        const auto count = std::uint8_t(file[at]);
        const auto code = std::uint8_t(file[at + 1]);
        at += 2;
        if (count > 0) { continue; }  // a run of one colour
        if (code == 0) {
            ++row;  // end of row
        } else if (code == 1) {
            return true;  // end of bitmap
        } else if (code == 2) {
            if (at + 2 > file.size()) { return false; }
            row += std::uint8_t(file[at + 1]);  // a jump right and down
            at += 2;
        } else {
            // Literal pixels, padded to an even number of bytes.
            std::size_t bytes = header.compression == kRle8 ? code : (code + 1u) / 2u;
            at += (bytes + 1) & ~std::size_t(1);
            if (at > file.size()) { return false; }
        }
    }
    return true;
}

}  // namespace

std::optional<BmpHeader> ParseBmpHeader(std::string_view file) {
    if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') { return std::nullopt; }
    BmpHeader header;
    header.pixelOffset = u32(file, 10);
    header.infoSize = u32(file, 14);
    std::int64_t height = 0;
    if (header.infoSize == 12) {  // the old OS/2 header: 16-bit sizes
        header.width = u16(file, 18);
        height = u16(file, 20);
        header.bitsPerPixel = u16(file, 24);
    } else {
        if (file.size() < 34) { return std::nullopt; }
        header.width = static_cast<std::int32_t>(u32(file, 18));
        height = static_cast<std::int32_t>(u32(file, 22));
        header.bitsPerPixel = u16(file, 28);
        header.compression = u32(file, 30);
    }
    header.topDown = height < 0;
    header.height = height < 0 ? -height : height;
    return header;
}

bool BmpPixelsComplete(const BmpHeader& header, std::string_view file) {
    if (header.width <= 0 || header.height <= 0 || header.pixelOffset >= file.size()) { return false; }
    switch (header.compression) {
        case kPlain:
        case kMasks:
        case kAlphaMasks: {
            const int bits = header.bitsPerPixel;
            if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) { return false; }
            // Both sides are below 2^31, so the product of row length and rows fits in 64 bits.
            const std::int64_t stride = ((header.width * bits + 31) / 32) * 4;
            return stride <= (std::int64_t(1) << 40) / header.height &&
                   std::int64_t(header.pixelOffset) + stride * header.height <= std::int64_t(file.size());
        }
        case kRle8: return header.bitsPerPixel == 8 && !header.topDown && rleComplete(header, file);
        case kRle4: return header.bitsPerPixel == 4 && !header.topDown && rleComplete(header, file);
        default: return false;  // JPEG or PNG inside a BMP, or unknown
    }
}

}  // namespace bw
