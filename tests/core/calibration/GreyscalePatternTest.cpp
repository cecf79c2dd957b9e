#include <gtest/gtest.h>

#include "TestSupport.h"
#include "calibration/GreyscalePattern.h"

using namespace bw;

TEST(GreyscalePattern, LevelsFallByTenPercentAcrossEachBar) {
    EXPECT_EQ(GreyscaleLevel(0, 0), 26);
    EXPECT_EQ(GreyscaleLevel(0, 15), 13);  // 12.75 rounds to 13
    EXPECT_EQ(GreyscaleLevel(0, 30), 0);
    EXPECT_EQ(GreyscaleLevel(1, 0), 51);
    EXPECT_EQ(GreyscaleLevel(1, 30), 26);  // 25.5 goes to the even neighbour
    EXPECT_EQ(GreyscaleLevel(4, 0), 128);  // 127.5
    EXPECT_EQ(GreyscaleLevel(4, 30), 102);
    EXPECT_EQ(GreyscaleLevel(9, 0), 255);
    EXPECT_EQ(GreyscaleLevel(9, 30), 230);  // 229.5
}

TEST(GreyscalePattern, BadFieldIsRefused) {
    bw::test::Writer w;
    CalibrationFields fields;
    fields.thicknessText = "x";
    EXPECT_FALSE(BuildGreyscalePattern(w.out, fields, ',').ok());
}
