#include <gtest/gtest.h>

#include "common/QuotedText.h"

using namespace bw;

TEST(QuoteForMessage, EscapesWhatCannotBeShownAndCutsLongTexts) {
    EXPECT_EQ(QuoteForMessage("12.x5"), "'12.x5'");
    EXPECT_EQ(QuoteForMessage(std::string_view("1\0"
                                               "2\r\x1b[2J",
                                               8)),
              "'1\\x002\\x0D\\x1B[2J'");
    EXPECT_EQ(QuoteForMessage("gr\xC3\xB3\xFF"), "'gr\xC3\xB3\\xFF'");  // valid UTF-8 kept, a stray byte escaped
    EXPECT_EQ(QuoteForMessage(std::string(50, '7'), 4), "'7777...'");
}
