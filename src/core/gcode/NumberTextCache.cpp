#include "gcode/NumberTextCache.h"

#include <algorithm>
#include <cstring>

namespace bw {

void NumberTextCache::reset(int decimals) {
    decimals_ = decimals;
    std::fill(slots_.begin(), slots_.end(), Slot{});
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
