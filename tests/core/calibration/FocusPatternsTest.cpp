#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calibration/FocusPatterns.h"
#include "calibration/OutlineDigits.h"
#include "gcode/DefaultHeaderFooter.h"

using namespace bw;

namespace {

std::vector<std::string> entries(const ProgramLines& lines) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) { out.emplace_back(lines.entry(i)); }
    return out;
}

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

struct Box {
    std::int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
};

CalibrationFields defaultFields() {
    CalibrationFields fields;
    fields.headerText = kDefaultHeaderText;
    fields.footerText = kDefaultFooterText;
    return fields;
}

}  // namespace

TEST(CoarseFocusPattern, WorkingMovesPrintTheMaximumPwmValue) {
    JobContext ctx;
    CalibrationFields fields = defaultFields();
    fields.pwmMaxText = "1000";
    auto program = BuildCoarseFocusPattern(ctx, fields, ',');
    ASSERT_TRUE(program.ok());
    auto lines = entries(*program);
    EXPECT_EQ(lines[10], "G1 Y8.0019 F1500 S1000");
    for (const std::string& line : lines) {
        if (line.ends_with(" S255")) { ADD_FAILURE() << line; }
    }
    EXPECT_EQ(ctx.params.powerMinPwm, Fixed4{});
    EXPECT_EQ(ctx.params.powerMaxPwm, Fixed4::fromInt(1000));
}

TEST(CoarseFocusPattern, CommentsStandBeforeTheLastLineOfThePreviousLabel) {
    JobContext ctx;
    CalibrationFields fields = defaultFields();
    fields.headerText = "";
    auto program = BuildCoarseFocusPattern(ctx, fields, ',');
    ASSERT_TRUE(program.ok());
    auto lines = entries(*program);
    EXPECT_EQ(lines[0], ";10");  // an empty header gives no lines
    const char* markLines[] = {"G0 X13.8502 Y12.9166 Z20.0000 F5000 S0", "G0 X23.8502 Y13.0053 Z30.0000 F5000 S0",
                               "G0 X33.8502 Y12.9166 Z40.0000 F5000 S0", "G0 X43.8502 Y13.0019 Z50.0000 F5000 S0",
                               "G0 X53.8502 Y12.9166 Z60.0000 F5000 S0", "G0 X63.8502 Y13.0019 Z70.0000 F5000 S0",
                               "G0 X73.8502 Y12.9166 Z80.0000 F5000 S0", "G0 X83.8502 Y13.0019 Z90.0000 F5000 S0",
                               "G0 X93.8502 Y12.9166 Z100.0000 F5000 S0"};
    for (int k = 2; k <= 10; ++k) {
        std::string comment = ";" + std::to_string(10 * k);
        auto at = std::find(lines.begin(), lines.end(), comment);
        ASSERT_NE(at, lines.end()) << comment;
        ASSERT_LT(at + 2, lines.end());
        EXPECT_EQ(at[1].substr(0, 3), "G1 ") << comment;  // the last stroke of the previous label...
        EXPECT_EQ(at[2], markLines[k - 2]);                 // ...then the rapid move to this block's mark
        EXPECT_EQ(at[3].substr(0, 4), "G1 Y") << comment;  // the mark itself
    }
}

TEST(CoarseFocusPattern, EveryLabelCoversExactlyItsBox) {
    struct Expected {
        std::int64_t minX, maxX, minY, maxY;
    };
    const Expected table[10] = {
        {7605, 74345, 0, 51053},           {102115, 174345, 153313, 204366}, {202933, 274345, 0, 51087},
        {300887, 374345, 153313, 204366},  {402899, 474345, 0, 51053},       {502626, 574345, 153313, 204366},
        {603308, 674345, 0, 51053},        {702831, 774345, 153313, 204366}, {802899, 874345, 0, 51053},
        {881761, 987343, 153313, 204366},
    };
    JobContext ctx;
    CalibrationFields fields;
    fields.maskText = "[G] [X] [Y] [Z]";
    auto program = BuildCoarseFocusPattern(ctx, fields, ',');
    ASSERT_TRUE(program.ok());
    std::map<std::int64_t, Box> labels;  // by Z, which is the block's own
    for (const std::string& line : entries(*program)) {
        if (line == ";linia") { break; }
        auto p = parsePrinted(line);
        if (!p) { continue; }
        if (p->y > 60000 && p->y < 150000) { continue; }  // the mark lies between the label rows
        Box& box = labels[p->z];
        box.minX = std::min(box.minX, p->x);
        box.maxX = std::max(box.maxX, p->x);
        box.minY = std::min(box.minY, p->y);
        box.maxY = std::max(box.maxY, p->y);
    }
    ASSERT_EQ(labels.size(), 10u);
    for (int k = 1; k <= 10; ++k) {
        const Box& box = labels[k * 100000];
        EXPECT_EQ(box.minX, table[k - 1].minX) << "label " << 10 * k;
        EXPECT_EQ(box.maxX, table[k - 1].maxX) << "label " << 10 * k;
        EXPECT_EQ(box.minY, table[k - 1].minY) << "label " << 10 * k;
        EXPECT_EQ(box.maxY, table[k - 1].maxY) << "label " << 10 * k;
    }
}

TEST(OutlineDigits, PolylinesAndMovesPerLabelMatchThePattern) {
    const int polylines[10] = {2, 2, 2, 1, 4, 1, 2, 2, 3, 2};
    int rapid[10], working[10];
    for (int d = 0; d < 10; ++d) {
        auto lines = OutlineDigitPolylines(d);
        EXPECT_EQ(static_cast<int>(lines.size()), polylines[d]) << "digit " << d;
        rapid[d] = static_cast<int>(lines.size());
        working[d] = 0;
        for (const OutlinePolyline& line : lines) { working[d] += line.count - 1; }
    }
    // Rapid and working moves of each block: the mark plus its label.
    const int expectedRapid[10] = {5, 5, 4, 7, 4, 5, 5, 6, 5, 7};
    const int expectedWorking[10] = {67, 97, 110, 69, 98, 119, 81, 121, 116, 121};
    int totalRapid = 0, totalWorking = 0;
    for (int k = 1; k <= 10; ++k) {
        int r = 1, w = 1;
        for (char c : std::to_string(10 * k)) {
            r += rapid[c - '0'];
            w += working[c - '0'];
        }
        EXPECT_EQ(r, expectedRapid[k - 1]) << "block " << k;
        EXPECT_EQ(w, expectedWorking[k - 1]) << "block " << k;
        totalRapid += r;
        totalWorking += w;
    }
    EXPECT_EQ(totalRapid + 3, 56);       // plus the sweep's start and the two closing moves
    EXPECT_EQ(totalWorking + 1, 1000);   // plus the sweep
}

TEST(CoarseFocusPattern, BodyDoesNotDependOnTheFinePatternFields) {
    JobContext a, b;
    CalibrationFields fields = defaultFields();
    auto first = BuildCoarseFocusPattern(a, fields, ',');
    fields.baseZText = "33,3";
    fields.squares = true;
    auto second = BuildCoarseFocusPattern(b, fields, ',');
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(first->text(), second->text());
}

TEST(FineFocusPattern, FieldsRiseByATenthFromBaseZMinusTen) {
    JobContext ctx;
    CalibrationFields fields;
    fields.maskText = "[G] [X] [Y] [Z]";
    auto program = BuildFineFocusPattern(ctx, fields, ',');
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
    JobContext ctx;
    CalibrationFields fields;
    fields.headerText = "H1\r\n";
    fields.footerText = "F1\r\n\r\n";
    auto program = BuildFineFocusPattern(ctx, fields, ',');
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
    JobContext ctx;
    ctx.params.maskText = "before";
    CalibrationFields fields;
    fields.workFeedText = "15x0";
    auto program = BuildCoarseFocusPattern(ctx, fields, ',');
    ASSERT_FALSE(program.ok());
    EXPECT_NE(program.error().find("Work speed"), std::string::npos);
    EXPECT_EQ(ctx.params.maskText, "before");

    fields = CalibrationFields{};
    fields.baseZText = "1.5";  // a point on a comma system
    auto fine = BuildFineFocusPattern(ctx, fields, ',');
    ASSERT_FALSE(fine.ok());
    EXPECT_NE(fine.error().find("Base Z"), std::string::npos);

    fields = CalibrationFields{};
    fields.pwmMaxText = "";
    EXPECT_FALSE(BuildCoarseFocusPattern(ctx, fields, ',').ok());
    fields = CalibrationFields{};
    fields.dirAxisStepText = "1,2,3";
    EXPECT_FALSE(BuildCoarseFocusPattern(ctx, fields, ',').ok());
    EXPECT_EQ(ctx.params.maskText, "before");
}

TEST(CalibrationProgram, SaveNameGetsTheChosenExtension) {
    EXPECT_EQ(CalibrationSaveName("job", 2), "job.nc");
    EXPECT_EQ(CalibrationSaveName("job.NC", 2), "job.NC");
    EXPECT_EQ(CalibrationSaveName("job.Nc", 2), "job.Nc");
    EXPECT_EQ(CalibrationSaveName("job.g", 2), "job.g.nc");
    EXPECT_EQ(CalibrationSaveName("job", 3), "job.tap");
    EXPECT_EQ(CalibrationSaveName("job.gcode", 1), "job.gcode");
}
