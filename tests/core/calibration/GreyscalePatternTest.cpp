#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calibration/GreyscalePattern.h"

using namespace bw;

namespace {

// The working lines of the pattern: per bar the four frame strokes, then its 31 lines.
std::vector<std::string> workingLines(const ProgramLines& program) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < program.size(); ++i) {
        std::string line(program.entry(i));
        if (line.starts_with("G1")) { out.push_back(line); }
    }
    return out;
}

}  // namespace

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

TEST(GreyscalePattern, PwmValuesWithTheDefaultRange) {
    JobContext ctx;
    CalibrationFields fields;
    fields.maskText = "[G] [X] [Y] [Z] (S)[P]";
    auto program = BuildGreyscalePattern(ctx, fields, ',');
    ASSERT_TRUE(program.ok());
    auto lines = workingLines(*program);
    ASSERT_EQ(lines.size(), 350u);
    EXPECT_EQ(lines[0], "G1 X0.0000 Y3.2000 Z0.0000 S255");
    EXPECT_EQ(lines[1], "G1 X12.0000 Y3.2000 Z0.0000 S255");
    EXPECT_EQ(lines[3], "G1 X0.0000 Y0.0000 Z0.0000 S255");
    EXPECT_EQ(lines[4], "G1 X0.0000 Y3.2000 Z0.0000 S26");
    EXPECT_EQ(lines[4 + 15], "G1 X6.0000 Y3.2000 Z0.0000 S13");
    EXPECT_EQ(lines[4 + 30], "G1 X12.0000 Y3.2000 Z0.0000 S0");
    EXPECT_EQ(lines[9 * 35 + 4], "G1 X0.0000 Y39.2000 Z0.0000 S255");
    EXPECT_EQ(lines[9 * 35 + 34], "G1 X12.0000 Y39.2000 Z0.0000 S230");
    // Every line is burnt upwards after a rapid return to the bar's lower edge.
    auto all = *program;
    EXPECT_EQ(std::string(all.entry(all.size() - 1)), "G0 X0.0000 Y0.0000 Z0.0000 S0");
}

TEST(GreyscalePattern, ZIsFocusPlusThicknessEverywhere) {
    JobContext ctx;
    CalibrationFields fields;
    fields.maskText = "[G] [Z]";
    fields.focusZText = "12,5";
    fields.thicknessText = "3";
    fields.headerText = "H";
    fields.footerText = "F";
    auto program = BuildGreyscalePattern(ctx, fields, ',');
    ASSERT_TRUE(program.ok());
    ASSERT_GT(program->size(), 2u);
    EXPECT_EQ(program->entry(0), "H");
    EXPECT_EQ(program->entry(program->size() - 1), "F");
    for (std::size_t i = 1; i + 1 < program->size(); ++i) {
        EXPECT_TRUE(program->entry(i).ends_with(" Z15.5000")) << program->entry(i);
    }
    fields.thicknessText = "x";
    EXPECT_FALSE(BuildGreyscalePattern(ctx, fields, ',').ok());
}
