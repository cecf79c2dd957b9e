#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "calibration/FocusPatterns.h"
#include "gcode/DefaultHeaderFooter.h"

using namespace bw;
using bw::test::entries;

namespace {

// One printed line of the "[G] [X] [Y] [Z]" mask, numbers in ten-thousandths.
struct Printed {
    std::string g;
    std::int64_t x = 0, y = 0, z = 0;
};

std::int64_t tenThousandths(const std::string& text) { return parseDecimal(text, '.')->raw; }

std::optional<Printed> parsePrinted(const std::string& line) {
    if (line.empty() || line[0] != 'G') { return std::nullopt; }
    Printed p;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t end = line.find(' ', pos);
        if (end == std::string::npos) { end = line.size(); }
        std::string word = line.substr(pos, end - pos);
        if (word[0] == 'G') { p.g = word; }
        if (word[0] == 'X') { p.x = tenThousandths(word.substr(1)); }
        if (word[0] == 'Y') { p.y = tenThousandths(word.substr(1)); }
        if (word[0] == 'Z') { p.z = tenThousandths(word.substr(1)); }
        pos = end + 1;
    }
    return p;
}

CalibrationFields defaultFields() {
    CalibrationFields fields;
    fields.headerText = kDefaultHeaderText;
    fields.footerText = kDefaultFooterText;
    return fields;
}

}  // namespace

TEST(CoarseFocusPattern, WorkingMovesPrintTheMaximumPwmValue) {
    bw::test::Writer w;
    CalibrationFields fields = defaultFields();
    fields.pwmMaxText = "1000";
    auto program = BuildCoarseFocusPattern(w.out, fields, ',');
    ASSERT_TRUE(program.ok());
    auto lines = entries(*program);
    EXPECT_EQ(lines[10], "G1 Y8.0019 F1500 S1000");
    for (const std::string& line : lines) {
        if (line.ends_with(" S255")) { ADD_FAILURE() << line; }
    }
    EXPECT_EQ(w.settings.powerMinPwm, Fixed4{});
    EXPECT_EQ(w.settings.powerMaxPwm, Fixed4::fromInt(1000));
}

TEST(CoarseFocusPattern, BodyDoesNotDependOnTheFinePatternFields) {
    bw::test::Writer a, b;
    CalibrationFields fields = defaultFields();
    auto first = BuildCoarseFocusPattern(a.out, fields, ',');
    fields.baseZText = "33,3";
    fields.squares = true;
    auto second = BuildCoarseFocusPattern(b.out, fields, ',');
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(first->text(), second->text());
}

TEST(FineFocusPattern, FieldsRiseByATenthFromBaseZMinusTen) {
    bw::test::Writer w;
    CalibrationFields fields;
    fields.maskText = "[G] [X] [Y] [Z]";
    auto program = BuildFineFocusPattern(w.out, fields, ',');
    ASSERT_TRUE(program.ok());
    std::vector<Printed> rapids;
    for (const std::string& line : entries(*program)) {
        auto p = parsePrinted(line);
        if (p && p->g == "G0") { rapids.push_back(*p); }
    }
    // One rapid to each field's corner, then the closing move to (0, 0).
    ASSERT_EQ(rapids.size(), 201u);
    for (int i = 0; i < 200; ++i) { EXPECT_EQ(rapids[i].z, -100000 + 1000 * i) << "field " << i; }
    EXPECT_EQ(rapids[100].z, 0);
    EXPECT_EQ(rapids[199].z, 99000);
    EXPECT_EQ(rapids[200].x, 0);
    EXPECT_EQ(rapids[200].y, 0);
    EXPECT_EQ(rapids[200].z, 100000);
    // Dots: pitch 1.1 mm, one more gap of 1 mm after row 9.
    EXPECT_EQ(rapids[90].y, 99000);
    EXPECT_EQ(rapids[100].y, 120000);
    EXPECT_EQ(rapids[199].x, 99000);
    EXPECT_EQ(rapids[199].y, 219000);
}

TEST(CalibrationProgram, HeaderAndFooterKeepTrailingEmptyLines) {
    bw::test::Writer w;
    CalibrationFields fields;
    fields.headerText = "H1\r\n";
    fields.footerText = "F1\r\n\r\n";
    auto program = BuildFineFocusPattern(w.out, fields, ',');
    ASSERT_TRUE(program.ok());
    auto lines = entries(*program);
    EXPECT_EQ(lines[0], "H1");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].substr(0, 3), "G0 ");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "F1");
    EXPECT_EQ(lines[lines.size() - 2], "");
    EXPECT_EQ(lines[lines.size() - 1], "");
    EXPECT_TRUE(CalibrationCopyText(*program).ends_with("F1\r\n\r\n\r\n"));
}

TEST(CalibrationProgram, BadFieldsAreReportedBeforeAnythingChanges) {
    bw::test::Writer w;
    w.settings.maskText = "before";
    CalibrationFields fields;
    fields.workFeedText = "15x0";
    auto program = BuildCoarseFocusPattern(w.out, fields, ',');
    ASSERT_FALSE(program.ok());
    EXPECT_NE(program.error().find("Work speed"), std::string::npos);
    EXPECT_EQ(w.settings.maskText, "before");

    fields = CalibrationFields{};
    fields.baseZText = "1.5";  // a point on a comma system
    auto fine = BuildFineFocusPattern(w.out, fields, ',');
    ASSERT_FALSE(fine.ok());
    EXPECT_NE(fine.error().find("Base Z"), std::string::npos);

    fields = CalibrationFields{};
    fields.pwmMaxText = "";
    EXPECT_FALSE(BuildCoarseFocusPattern(w.out, fields, ',').ok());
    fields = CalibrationFields{};
    fields.dirAxisStepText = "1,2,3";
    EXPECT_FALSE(BuildCoarseFocusPattern(w.out, fields, ',').ok());
    EXPECT_EQ(w.settings.maskText, "before");
}
