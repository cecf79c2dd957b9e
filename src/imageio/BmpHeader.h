#pragma once
// The few fields of a BMP file header that decide whether a file can be what
// it claims: its size in pixels and how many bytes its pixel rows need. Qt's
// reader refuses to report a size it would not allocate and fills rows missing
// from a short file with zeros, so both checks are made here, before decoding.

#include <cstdint>
#include <optional>
#include <string>

namespace bw {

struct BmpHeader {
    std::int64_t width = 0;         // pixels
    std::int64_t height = 0;        // pixels, positive whatever the row order
    std::int64_t requiredBytes = 0; // file size the pixel rows need; 0 when compressed (unknown)
};

// nullopt when the file does not start with a BMP header that can be read.
std::optional<BmpHeader> ReadBmpHeader(const std::string& path);

}  // namespace bw
