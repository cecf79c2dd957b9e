#include <gtest/gtest.h>

#include "gcode/DefaultHeaderFooter.h"

using namespace bw;

TEST(DefaultHeaderFooter, TextFromAFileGetsCrLfAndLosesTrailingBreaks) {
    EXPECT_EQ(HeaderFooterFromText("G21\nG90\r\nM3\rM5\n\n\r\n"), "G21\r\nG90\r\nM3\r\nM5");
    EXPECT_EQ(HeaderFooterFromText("\nG21"), "\r\nG21");  // a leading empty line stays
    EXPECT_EQ(HeaderFooterFromText("\r\n\r\n"), "");
}
