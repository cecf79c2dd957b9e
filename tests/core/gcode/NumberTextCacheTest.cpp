#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "gcode/NumberTextCache.h"

using namespace bw;

// A tiny cache (two sets) forces evictions; every text must still be the writer's own.
TEST(NumberTextCache, AlwaysPrintsWhatTheWritersPrint) {
    NumberTextCache cache(1);
    std::mt19937_64 random(7);
    char expected[kMaxNumberBytes], actual[kMaxNumberBytes];
    auto check = [&](char* cachedEnd, char* writtenEnd, std::int64_t value, int decimals) {
        ASSERT_EQ(std::string(actual, cachedEnd), std::string(expected, writtenEnd)) << value << " / " << decimals;
    };
    for (int decimals : {4, 2, 4, 0, 20, 4}) {  // the same values again after a change of decimals
        for (int i = 0; i < 2000; ++i) {
            std::int64_t value =
                i % 3 == 0 ? static_cast<std::int64_t>(random()) : static_cast<std::int64_t>(random() % 64) - 32;
            check(cache.fixed(actual, Fixed4::fromRaw(value), decimals),
                  writeFixed(expected, Fixed4::fromRaw(value), decimals), value, decimals);
            if (i % 2 == 0) {  // whole numbers share the cache and must not mix with decimal texts
                check(cache.integer(actual, value), writeInteger(expected, value), value, -1);
            }
        }
    }
}

// Values of an expected grid (a raster's positions) are printed row after row,
// next to values beside the grid and past its ends, across changes of decimals
// with the grid kept; grids the cache cannot hold must leave the texts right too.
TEST(NumberTextCache, GridValuesPrintWhatTheWriterPrints) {
    struct Grid {
        std::int64_t first, step;
        int count;
    };
    const Grid grids[] = {
        {-30, 7, 9}, {INT64_MAX - 100, 3, 1000}, {-(std::int64_t(1) << 40), 2, 70000}, {0, INT64_MAX / 4, 8},
        {5, 1, 100}, {100, 30000, 3000}};
    char expected[kMaxNumberBytes], actual[kMaxNumberBytes];
    for (const Grid& grid : grids) {
        NumberTextCache cache(12);
        cache.expectGrid(Fixed4::fromRaw(grid.first), Fixed4::fromRaw(grid.step), grid.count);
        for (int decimals : {4, 1, 20, 4}) {
            for (int row = 0; row < 3; ++row) {
                for (int k = -2; k < grid.count + 2; ++k) {
                    const int column = row % 2 == 0 ? k : grid.count - 1 - k;
                    for (std::int64_t beside : {0, 1, -1}) {
                        // Worked out modulo 2^64: the grids near the ends of the range wrap.
                        const auto value = static_cast<std::int64_t>(static_cast<std::uint64_t>(grid.first) +
                                                                     static_cast<std::uint64_t>(column) *
                                                                         static_cast<std::uint64_t>(grid.step) +
                                                                     static_cast<std::uint64_t>(beside));
                        const char* end = cache.fixed(actual, Fixed4::fromRaw(value), decimals);
                        const char* want = writeFixed(expected, Fixed4::fromRaw(value), decimals);
                        ASSERT_EQ(std::string_view(actual, end), std::string_view(expected, want))
                            << value << " / " << decimals;
                    }
                }
            }
        }
    }
}
