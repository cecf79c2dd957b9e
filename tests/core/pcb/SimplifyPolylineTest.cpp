#include <gtest/gtest.h>

#include <random>

#include "pcb/SimplifyPolyline.h"

using namespace bw;

namespace {
MachinePoint at(std::int64_t x, std::int64_t y) { return {Fixed4::fromRaw(x), Fixed4::fromRaw(y)}; }
}  // namespace

TEST(LineDistance, HeronFromRoundedSides) {
    EXPECT_EQ(LineDistance(at(3, 4), at(0, 0), at(0, 0)).raw, 5);           // a = b: distance to a
    EXPECT_EQ(LineDistance(at(5, 5), at(0, 0), at(10, 10)).raw, 0);         // on the line
    EXPECT_EQ(LineDistance(at(20, 20), at(0, 0), at(10, 10)).raw, 0);       // on the line, beyond b
    EXPECT_EQ(LineDistance(at(0, 500), at(0, 0), at(100000, 0)).raw, 499);  // rounded sides lose a unit
    // A triangle of 20 mm by 5 mm: the Heron product (about 2.5e19) leaves 64 bits.
    EXPECT_EQ(LineDistance(at(100000, 50000), at(0, 0), at(200000, 0)).raw, 49999);
    EXPECT_EQ(LineDistance(at(123456, 654321), at(-300000, 20000), at(900000, -110000)).raw, 676237);
}

TEST(SimplifyPolyline, KeepsTheFirstFarthestPointAboveEpsilon) {
    EXPECT_EQ(SimplifyPolyline({at(1, 2)}, kOutlineEpsilon), (Contour{at(1, 2), at(1, 2)}));
    EXPECT_EQ(SimplifyPolyline({at(0, 0), at(9, 9)}, kOutlineEpsilon), (Contour{at(0, 0), at(9, 9)}));
    // A distance of exactly 700 units is not more than epsilon; 701 is.
    EXPECT_EQ(LineDistance(at(0, 699), at(0, 0), at(1000, 0)).raw, 700);
    EXPECT_EQ(SimplifyPolyline({at(0, 0), at(0, 699), at(1000, 0)}, kOutlineEpsilon).size(), 2u);
    EXPECT_EQ(SimplifyPolyline({at(0, 0), at(0, 701), at(1000, 0)}, kOutlineEpsilon).size(), 3u);
    // Two equally far points: the first one splits.
    Contour twins{at(0, 0), at(30000, 5000), at(70000, 5000), at(100000, 0)};
    EXPECT_EQ(SimplifyPolyline(twins, kOutlineEpsilon), twins);
    Contour bump{at(0, 0), at(40000, 0), at(40000, 5000), at(60000, 5000), at(60000, 0), at(100000, 0)};
    EXPECT_EQ(SimplifyPolyline(bump, kOutlineEpsilon), bump);
}

TEST(SimplifyPolyline, LongStaircaseNeedsNoDeepRecursion) {
    // A diagonal staircase of one-pixel steps: 200 000 points collapse to the chord.
    Contour stairs;
    for (std::int64_t i = 0; i < 100000; ++i) {
        stairs.push_back(at(i * 500, i * 500));
        stairs.push_back(at(i * 500 + 500, i * 500));
    }
    Contour simplified = SimplifyPolyline(stairs, kOutlineEpsilon);
    EXPECT_EQ(simplified.front(), stairs.front());
    EXPECT_EQ(simplified.back(), stairs.back());
    EXPECT_LE(simplified.size(), 3u);
}

namespace {
// The same definition written plainly on 128-bit integers, as a reference.
std::int64_t referenceDistance(MachinePoint p, MachinePoint a, MachinePoint b) {
    auto length = [](MachinePoint u, MachinePoint v) {
        Int128 dx = Int128(u.x.raw) - v.x.raw, dy = Int128(u.y.raw) - v.y.raw;
        return static_cast<Int128>(sqrtRound(static_cast<unsigned __int128>(dx * dx + dy * dy)));
    };
    if (a == b) { return static_cast<std::int64_t>(length(a, p)); }
    Int128 ap = length(a, p), bp = length(b, p), ab = length(a, b);
    Int128 s = divRoundEven(ap + bp + ab, 2);
    if (s <= 0 || s - ap <= 0 || s - bp <= 0 || s - ab <= 0) { return 0; }
    Int128 area = sqrtRound(static_cast<unsigned __int128>(s * (s - ap) * (s - bp) * (s - ab)));
    return static_cast<std::int64_t>(divRoundEven(2 * area, ab));
}
}  // namespace

TEST(LineDistance, AgreesWithThePlainDefinitionOverTheBoardRange) {
    std::mt19937_64 random(7);
    for (std::int64_t range : {std::int64_t(2000), std::int64_t(200000), std::int64_t(5000000),
                               (std::int64_t(1) << 29) - 1, std::int64_t(1) << 30}) {
        std::uniform_int_distribution<std::int64_t> coordinate(0, range);
        for (int i = 0; i < 20000; ++i) {
            MachinePoint a = at(coordinate(random), coordinate(random));
            MachinePoint b = i % 7 == 0 ? a : at(coordinate(random), coordinate(random));
            MachinePoint p = at(coordinate(random), coordinate(random));
            if (i % 3 == 0) {  // near the chord: thin triangles
                p = at((a.x.raw + b.x.raw) / 2 + (i % 11) - 5, (a.y.raw + b.y.raw) / 2 + (i % 13) - 6);
            }
            ASSERT_EQ(LineDistance(p, a, b).raw, referenceDistance(p, a, b))
                << a.x.raw << "," << a.y.raw << " " << b.x.raw << "," << b.y.raw << " " << p.x.raw << "," << p.y.raw;
        }
    }
}
