#include <gtest/gtest.h>

#include "job/FieldRanges.h"

using namespace bw;

TEST(FieldRanges, BoundsAndWholeNumbers) {
    EXPECT_TRUE(CheckRange(FieldRanges::StartPoint, Fixed4::fromInt(9), '.').ok());
    auto ten = CheckRange(FieldRanges::StartPoint, Fixed4::fromInt(10), ',');
    ASSERT_FALSE(ten.ok());
    EXPECT_EQ(ten.error(), "Start point: 10 is outside 1..9");
    EXPECT_FALSE(CheckRange(FieldRanges::Decimals, Fixed4::fromRaw(15000), '.').ok());  // 1.5 places
    auto zero = CheckRange(FieldRanges::PixelSize, Fixed4{}, ',');
    ASSERT_FALSE(zero.ok());
    EXPECT_EQ(zero.error(), "Pixel size: 0 must be above 0 and at most 1000");
    EXPECT_TRUE(CheckRange(FieldRanges::PixelSize, Fixed4::fromRaw(1), '.').ok());
    EXPECT_TRUE(CheckRange(FieldRanges::Thickness, Fixed4{}, '.').ok());
    EXPECT_FALSE(CheckRange(FieldRanges::Thickness, Fixed4::fromInt(-1), '.').ok());
    EXPECT_FALSE(CheckRange(FieldRanges::DirAxisStep, Fixed4::fromInt(100000), '.').ok());
}
