#include <gtest/gtest.h>

#include "job/NumericInput.h"
#include "job/StartPoint.h"

using namespace bw;

TEST(NumericInput, FilterKeepsOnlyWhatTheTagAccepts) {
    EXPECT_EQ(FilterNumericInput("1a2,,3", 6, 5, ',').text, "12,3");
    EXPECT_EQ(FilterNumericInput("1a2..3", 6, 5, '.').text, "12.3");
    EXPECT_EQ(FilterNumericInput("1.5", 3, 5, ',').text, "1,5");  // the other separator becomes the system's
    EXPECT_EQ(FilterNumericInput("2,5", 3, 5, '.').text, "2.5");
    EXPECT_EQ(FilterNumericInput("2,5.1", 5, 5, '.').text, "2.51");
    EXPECT_EQ(FilterNumericInput("2,5", 3, 1, '.').text, "25");  // whole-number fields refuse both
    EXPECT_EQ(FilterNumericInput("5-3", 3, 7, ',').text, "53");
    EXPECT_EQ(FilterNumericInput("-0,5", 4, 7, ',').text, "-0,5");
    EXPECT_EQ(FilterNumericInput("-1,5", 4, 1, ',').text, "15");
    EXPECT_EQ(FilterNumericInput("12 000", 6, 1, ',').text, "12000");
    EXPECT_EQ(FilterNumericInput(",5", 2, 5, ',').text, "5");
    EXPECT_EQ(FilterNumericInput(",,5", 3, 5, ',').text, "5");
    EXPECT_EQ(FilterNumericInput("1,5", 3, 0, ',').text, "");
}

TEST(NumericInput, FilterMovesTheCaretBackForRemovalsBeforeIt) {
    auto typed = FilterNumericInput("12a3", 3, 1, ',');  // caret after the typed "a"
    EXPECT_EQ(typed.text, "123");
    EXPECT_EQ(typed.caret, 2);
    auto after = FilterNumericInput("1x23", 4, 1, ',');
    EXPECT_EQ(after.caret, 3);
    auto behind = FilterNumericInput("12x", 1, 1, ',');  // removal after the caret leaves it
    EXPECT_EQ(behind.caret, 1);
    auto unicode = FilterNumericInput(
        "1\xC3\xA9"
        "2",
        2, 1, ',');  // a pasted "é"
    EXPECT_EQ(unicode.text, "12");
    EXPECT_EQ(unicode.caret, 1);
}

TEST(NumericInput, NormalizeGivesEveryFieldAValueAndTheSystemSeparator) {
    EXPECT_EQ(NormalizeNumericField("1.5", ','), "1,5");
    EXPECT_EQ(NormalizeNumericField("1,5", '.'), "1.5");
    EXPECT_EQ(NormalizeNumericField("", ','), "0");
    EXPECT_EQ(NormalizeNumericField("  ", ','), "0");
    EXPECT_EQ(NormalizeNumericField("1 500", '.'), "1500");
}

TEST(NumericInput, NonZeroNumber) {
    for (std::string_view text : {"", "0", "0,0", "abc", "0,00001"}) {
        EXPECT_FALSE(IsNonZeroNumber(text, ',')) << text;
    }
    EXPECT_TRUE(IsNonZeroNumber("0,01", ','));
    EXPECT_TRUE(IsNonZeroNumber("-2", ','));
    EXPECT_FALSE(IsNonZeroNumber("0,01", '.'));
    EXPECT_TRUE(IsNonZeroNumber("0.01", '.'));
}

TEST(StartPoint, OffsetsFollowTheGridCell) {
    Fixed4 w = Fixed4::fromInt(40), h = Fixed4::fromInt(20);
    OriginOffset none;
    auto centre = originOffsetFor(5, w, h, none);
    EXPECT_EQ(centre.x.raw, -200000);
    EXPECT_EQ(centre.y.raw, -100000);
    auto bottomLeft = originOffsetFor(7, w, h, none);
    EXPECT_EQ(bottomLeft.x.raw, 0);
    EXPECT_EQ(bottomLeft.y.raw, 0);
    auto topRight = originOffsetFor(3, w, h, none);
    EXPECT_EQ(topRight.x.raw, -400000);
    EXPECT_EQ(topRight.y.raw, -200000);
    // -W/2 of 3 units is -2 units (ties to even).
    EXPECT_EQ(originOffsetFor(8, Fixed4::fromRaw(3), h, none).x.raw, -2);
    EXPECT_EQ(originOffsetFor(8, Fixed4::fromRaw(5), h, none).x.raw, -2);
    OriginOffset previous{Fixed4::fromRaw(11), Fixed4::fromRaw(22)};
    EXPECT_EQ(originOffsetFor(0, w, h, previous).x.raw, 11);
    EXPECT_EQ(originOffsetFor(10, w, h, previous).y.raw, 22);
}
