#pragma once
// Texts of numbers printed recently. A program prints the same few values over
// and over (a raster's X positions repeat on every line, its power levels are
// 256, the feed hardly changes), so a value met again costs one fixed-size copy
// instead of its digits being worked out anew. The texts are exactly those of
// writeFixed and writeInteger.

#include <cstdint>
#include <vector>

#include "common/Fixed4.h"

namespace bw {

class NumberTextCache {
public:
    // A cache of 2^setBits sets of two texts each.
    explicit NumberTextCache(int setBits) : setBits_(setBits) {}

    // writeFixed(out, value, decimals); `out` needs room for kMaxNumberBytes.
    [[gnu::always_inline]] char* fixed(char* out, Fixed4 value, int decimals) {
        if (decimals != decimals_) { reset(decimals); }
        if (const GridText* text = onGrid(value.raw)) {
            __builtin_memcpy(out, text->text, sizeof text->text);
            return out + text->length;
        }
        return lookUp(out, value.raw);
    }
    // Values first + k x step (k < count) will be printed over and over, in
    // order forwards or backwards (a raster's pixel positions, row after row).
    // Their texts are then kept in that order in a plain table: a row's look-ups
    // walk memory in order, which the processor fetches ahead, where the hashed
    // sets would be a jump to another place for every value.
    void expectGrid(Fixed4 first, Fixed4 step, int count);

    // writeInteger(out, value); `out` needs room for kMaxNumberBytes.
    [[gnu::always_inline]] char* integer(char* out, std::int64_t value) {
        // Feeds and PWM values are mostly small: their texts sit in a plain table.
        if (static_cast<std::uint64_t>(value) < kSmallIntegers) {
            return smallInteger(out, static_cast<std::size_t>(value));
        }
        if (decimals_ != kInteger) { reset(kInteger); }
        return lookUp(out, value);
    }

    // Brings the texts of a value likely printed soon into the processor's
    // cache, so that their look-up does not wait for memory; changes nothing.
    void prefetch(std::int64_t key) const {
        // Values on the grid are found in order without help.
        if (gridOffset(key) < gridSpan_ || slots_.empty()) { return; }
        __builtin_prefetch(&slots_[setOf(key)]);
    }

private:
    static constexpr int kInteger = -1;
    static constexpr std::uint32_t kTextBytes = 20;  // longer texts are written directly
    struct Slot {
        std::int64_t key = 0;
        std::uint32_t length = 0;  // 0: empty
        char text[kTextBytes] = {};
    };

    static constexpr std::size_t kSmallIntegers = 4096;
    struct SmallText {
        char text[15] = {};
        std::uint8_t length = 0;  // 0: not written yet
    };

    // Texts of the grid's values by k; up to 15 characters (longer ones take the hashed sets).
    struct GridText {
        char text[15] = {};
        std::uint8_t length = 0;  // 0: not written yet
    };
    static constexpr std::size_t kMaxGridCount = std::size_t(1) << 16;

    // Where the value lies from the grid's first, modulo 2^64: below gridSpan_ within the grid's range.
    std::uint64_t gridOffset(std::int64_t key) const { return static_cast<std::uint64_t>(key) - gridFirst_; }
    [[gnu::always_inline]] const GridText* onGrid(std::int64_t key) {
        const std::uint64_t offset = gridOffset(key);
        if (offset >= gridSpan_) { return nullptr; }
        // offset / step by a multiplication: exact for multiples of the step, and only those are kept.
        const auto k = static_cast<std::uint64_t>((static_cast<unsigned __int128>(offset) * gridInverse_) >> 64);
        if (k * gridStep_ != offset) { return nullptr; }
        GridText& text = grid_[k];
        if (text.length == 0) [[unlikely]] { fillGrid(text, key); }
        return text.length <= sizeof text.text ? &text : nullptr;
    }
    void fillGrid(GridText& text, std::int64_t key) const;
    void reset(int decimals);
    [[gnu::always_inline]] char* smallInteger(char* out, std::size_t value) {
        if (smallTexts_.empty()) { smallTexts_.resize(kSmallIntegers); }
        SmallText& small = smallTexts_[value];
        if (small.length == 0) { fillSmall(small, value); }
        __builtin_memcpy(out, small.text, sizeof small.text);
        return out + small.length;
    }
    static void fillSmall(SmallText& small, std::size_t value);
    char* lookUp(char* out, std::int64_t key) {
        if (slots_.empty()) { slots_.resize(std::size_t(2) << setBits_); }
        Slot* set = &slots_[setOf(key)];
        if (set[0].key != key || set[0].length == 0) {
            if (set[1].key != key || set[1].length == 0) { return miss(out, key, set); }
            std::swap(set[0], set[1]);  // the newer text first
        }
        // A fixed-size copy: `out` has room, and only `length` bytes count.
        __builtin_memcpy(out, set[0].text, kTextBytes);
        return out + set[0].length;
    }
    char* miss(char* out, std::int64_t key, Slot* set);
    // Index of the first of the two slots of the value's set.
    std::size_t setOf(std::int64_t key) const {
        return 2 * static_cast<std::size_t>(static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull >> (64 - setBits_));
    }

    std::vector<GridText> grid_;
    std::uint64_t gridFirst_ = 0, gridStep_ = 1, gridSpan_ = 0;  // span 0: no grid
    std::uint64_t gridInverse_ = 0;                              // 2^64 / step, rounded up
    int setBits_;
    int decimals_ = -2;  // what the texts were written with; kInteger for whole numbers
    std::vector<Slot> slots_;
    std::vector<SmallText> smallTexts_;  // whole numbers 0 .. kSmallIntegers - 1, by value
};

}  // namespace bw
