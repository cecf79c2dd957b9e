#include "gcode/NumberTextCache.h"

#include <algorithm>
#include <cstring>

namespace bw {

void NumberTextCache::reset(int decimals) {
    decimals_ = decimals;
    std::fill(grid_.begin(), grid_.end(), GridText{});
    std::fill(slots_.begin(), slots_.end(), Slot{});
}

void NumberTextCache::expectGrid(Fixed4 first, Fixed4 step, int count) {
    gridSpan_ = 0;
    grid_.clear();
    if (step.raw < 2 || count <= 0) { return; }  // a step of 0.0001 has no 64-bit inverse, and no picture uses it
    const auto kept = std::min(static_cast<std::size_t>(count), kMaxGridCount);
    const auto span = static_cast<unsigned __int128>(step.raw) * kept;
    if (span > INT64_MAX) { return; }
    grid_.assign(kept, GridText{});
    gridFirst_ = static_cast<std::uint64_t>(first.raw);
    gridStep_ = static_cast<std::uint64_t>(step.raw);
    gridSpan_ = static_cast<std::uint64_t>(span);
    gridInverse_ = static_cast<std::uint64_t>(((static_cast<unsigned __int128>(1) << 64) - 1) / gridStep_ + 1);
}

void NumberTextCache::fillGrid(GridText& text, std::int64_t key) const {
    char digits[kMaxNumberBytes];
    const char* end = writeFixed(digits, Fixed4::fromRaw(key), decimals_);
    const auto length = static_cast<std::size_t>(end - digits);
    text.length = static_cast<std::uint8_t>(length);  // below kMaxNumberBytes
    if (length <= sizeof text.text) { std::memcpy(text.text, digits, length); }
}

void NumberTextCache::fillSmall(SmallText& small, std::size_t value) {
    char text[kMaxNumberBytes];
    char* end = writeInteger(text, static_cast<std::int64_t>(value));
    small.length = static_cast<std::uint8_t>(end - text);
    std::memcpy(small.text, text, small.length);
}

char* NumberTextCache::miss(char* out, std::int64_t key, Slot* set) {
    char* end = decimals_ == kInteger ? writeInteger(out, key) : writeFixed(out, Fixed4::fromRaw(key), decimals_);
    auto length = static_cast<std::uint32_t>(end - out);
    if (length <= kTextBytes) {
        set[1] = set[0];  // the older text makes room
        set[0].key = key;
        set[0].length = length;
        std::memcpy(set[0].text, out, length);
    }
    return end;
}

}  // namespace bw
