#pragma once
// Well-formed UTF-8: lead bytes with the right number of continuation bytes, no stray continuation byte, no
// truncated sequence at the end.

#include <cstddef>
#include <string_view>

inline bool isWellFormedUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        std::size_t extra = byte < 0x80                   ? 0
                            : byte >= 0xC2 && byte < 0xE0 ? 1
                            : byte >= 0xE0 && byte < 0xF0 ? 2
                            : byte >= 0xF0 && byte < 0xF5 ? 3
                                                          : 4;
        if (extra > 3 || text.size() - i <= extra) { return false; }
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) { return false; }
        }
        i += extra + 1;
    }
    return true;
}
