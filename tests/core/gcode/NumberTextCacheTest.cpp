#include <gtest/gtest.h>

#include <random>
#include <string>

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
