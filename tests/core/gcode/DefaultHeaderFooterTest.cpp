#include <gtest/gtest.h>

#include "gcode/DefaultHeaderFooter.h"

using namespace bw;

TEST(DefaultHeaderFooter, LinesOfTheFormDefaults) {
    std::string header(kDefaultHeaderText);
    EXPECT_EQ(header.substr(0, 11), ";(Header)\r\n");
    EXPECT_NE(header.find("\r\n$32=1 ; ENABLE GRBL LASER MODE ("), std::string::npos);
    EXPECT_NE(header.find("\r\nM7 ; TURN MIST ON \r\n"), std::string::npos);  // the trailing space belongs to it
    EXPECT_TRUE(header.ends_with("\r\nG21 ; metric\r\n;(Header end)"));
    EXPECT_EQ(kDefaultFooterText,
              ";(Footer)\r\nM5; Disable laser\r\nG21\r\nG90\r\nG0 X0 Y0\r\nG4 P0.1\r\nM9\r\n$32=0\r\n;(Footer end)");
}

TEST(DefaultHeaderFooter, TextFromAFileGetsCrLfAndLosesTrailingBreaks) {
    EXPECT_EQ(HeaderFooterFromText("G21\nG90\r\nM3\rM5\n\n\r\n"), "G21\r\nG90\r\nM3\r\nM5");
    EXPECT_EQ(HeaderFooterFromText("\nG21"), "\r\nG21");  // a leading empty line stays
    EXPECT_EQ(HeaderFooterFromText("\r\n\r\n"), "");
}
