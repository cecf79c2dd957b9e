#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "ReferenceDxf.h"
#include "TestSupport.h"
#include "dxf/DxfLineScan.h"
#include "dxf/DxfReader.h"
#include "job/JobSteps.h"

using namespace bw;
using bw::test::mm;

namespace {

// A text from lines joined by CR LF.
std::string dxf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<TItem> read(const std::string& text) {
    std::vector<TItem> items;
    auto result = ReadDxfEntities(text, items);
    EXPECT_TRUE(result.ok()) << result.error();
    return items;
}

}  // namespace

TEST(DxfNumbers, SpacesGoAndPointOrCommaIsTheSeparator) {
    for (char separator : {',', '.'}) {
        EXPECT_EQ(ToSystemNumber("12.5", separator)->raw, 125000);
        EXPECT_EQ(ToSystemNumber("12,5", separator)->raw, 125000);
        EXPECT_EQ(ToSystemNumber("1 234.5", separator)->raw, 12345000);
        EXPECT_EQ(ToSystemNumber("0.123456", separator)->raw, 1235);
        EXPECT_EQ(ToSystemNumber("0.00005", separator)->raw, 0);  // halves to even
        EXPECT_EQ(ToSystemNumber("0.00015", separator)->raw, 2);
        EXPECT_EQ(ToSystemNumber(" -7", separator)->raw, -70000);
        EXPECT_FALSE(ToSystemNumber("12.x5", separator));
        EXPECT_FALSE(ToSystemNumber("1,234.5", separator));
        EXPECT_FALSE(ToSystemNumber("", separator));
        EXPECT_FALSE(ToSystemNumber("1e5", separator));
    }
}

TEST(DxfNumbers, FastParseAgreesWithTheWindowConversion) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789 .,-+x\t";
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        int length = static_cast<int>(random() % 9);
        for (int k = 0; k < length; ++k) { text += alphabet[random() % alphabet.size()]; }
        auto a = ParseDxfNumber(text);
        auto b = ToSystemNumber(text, ',');
        auto c = ToSystemNumber(text, '.');
        ASSERT_EQ(a.has_value(), b.has_value()) << "'" << text << "'";
        ASSERT_EQ(b.has_value(), c.has_value()) << "'" << text << "'";
        if (a) {
            ASSERT_EQ(a->raw, b->raw) << "'" << text << "'";
            ASSERT_EQ(b->raw, c->raw) << "'" << text << "'";
        }
    }
}

TEST(DxfLines, SplitAtCrLfAndCrLf) {
    auto lines = SplitDxfLines("a\r\nb\rc\nd\n\re");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "e");
    EXPECT_EQ(SplitDxfLines("x\r\n").size(), 1u);
    EXPECT_TRUE(SplitDxfLines("").empty());
}

TEST(DxfLines, FindLineMatchesWholeLinesInAnyLetterCase) {
    std::vector<std::string_view> lines{"  10", "10", " 10", "line", "LiNe"};
    EXPECT_EQ(FindLine(" 10", 0, lines), 2);
    EXPECT_EQ(FindLine("LINE", 0, lines), 3);
    EXPECT_EQ(FindLine("LINE", 4, lines), 4);
    EXPECT_EQ(FindLine("ARC", 0, lines), -1);
    std::int64_t index = 0;
    EXPECT_EQ(NextEntity(lines, index), 2);
    EXPECT_EQ(index, 3);
}

TEST(DxfReader, ArcEndPointsAndDirection) {
    auto items = read(
        dxf({"ENTITIES", "  0", "ARC", " 10", "0", " 20", "0", " 40", "10", " 50", "0", " 51", "90", "  0", "ENDSEC"}));
    ASSERT_EQ(items.size(), 1u);
    const TItem& arc = items[0];
    EXPECT_EQ(arc.kind, DxfKind::Arc);
    EXPECT_EQ(arc.endX, mm(10));
    EXPECT_EQ(arc.endY, mm(0));
    EXPECT_EQ(arc.startX, mm(0));
    EXPECT_EQ(arc.startY, mm(10));
    EXPECT_TRUE(arc.clockwise);
}

TEST(DxfReader, LineCircleAndSpline) {
    auto items = read(dxf({"0",   "SECTION", "  2", "ENTITIES", "  0",    "line", " 10", "1.5", " 20",   "2,5", " 11",
                           "3",   " 21",     "4",   "  0",      "CIRCLE", " 10",  "50",  " 20", "50",    " 40", "10",
                           "  0", "SPLINE",  " 71", "3",        " 72",    "8",    " 73", "4",   " 40",   "0",   " 40",
                           "0",   " 40",     "0",   " 40",      "0",      " 40",  "1",   " 40", "1",     " 40", "1",
                           " 40", "1",       " 10", "0",        " 20",    "0",    " 10", "10",  " 20",   "0",   " 10",
                           "10",  " 20",     "10",  " 10",      "0",      " 20",  "10",  "  0", "ENDSEC"}));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].kind, DxfKind::Line);
    EXPECT_EQ(items[0].startX, mm(1.5));
    EXPECT_EQ(items[0].startY, mm(2.5));
    EXPECT_EQ(items[0].endX, mm(3));
    EXPECT_EQ(items[0].endY, mm(4));
    EXPECT_EQ(items[1].kind, DxfKind::Circle);
    EXPECT_EQ(items[1].radius, mm(10));
    EXPECT_EQ(items[1].startX, Fixed4{});  // a circle has no start or end
    const TItem& spline = items[2];
    ASSERT_EQ(spline.knots.size(), 8u);
    ASSERT_EQ(spline.controlPoints.size(), 4u);
    EXPECT_EQ(spline.knots.size() - spline.controlPoints.size() - 1, 3u);  // degree 3
    EXPECT_EQ(spline.startX, mm(0));
    EXPECT_EQ(spline.endX, mm(0));
    EXPECT_EQ(spline.endY, mm(10));
}

TEST(DxfReader, OnlyEntitiesAfterTheEntitiesLineAndOnlyKnownNames) {
    auto items = read(dxf({"BLOCKS", "LINE", " 10", "9", "ENTITIES", "INSERT", " 10", "1", "LWPOLYLINE", "TEXT",
                           "ELLIPSE", "POINT", "  8", "ARC", " 10", "5"}));
    // The layer named "ARC" starts an arc; its values come from further down (here: only " 10").
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, DxfKind::Arc);
    EXPECT_EQ(items[0].x, mm(5));
    EXPECT_EQ(items[0].radius, Fixed4{});
}

TEST(DxfReader, CodesWithoutLeadingSpaceGiveZeroFields) {
    auto items = read(dxf({"ENTITIES", "LINE", "10", "1", "20", "2", "11", "3", "21", "4"}));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].x1, Fixed4{});
    EXPECT_EQ(items[0].x2, Fixed4{});
}

TEST(DxfReader, MissingValuesComeFromTheNextEntity) {
    auto items = read(dxf({"ENTITIES", "CIRCLE", " 10", "1", " 20", "2", "LINE", " 10", "3", " 40", "7"}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].radius, mm(7));
    EXPECT_EQ(items[1].x1, mm(3));
}

TEST(DxfReader, ErrorsNameTheLine) {
    std::vector<TItem> items;
    auto result = ReadDxfEntities(dxf({"ENTITIES", "LINE", " 10", "1", " 20", "12.x5", "LINE"}), items);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "line 6: '12.x5' is not a number");
    ASSERT_EQ(items.size(), 1u);  // the failing entity stays with what was read before
    EXPECT_EQ(items[0].x1, mm(1));

    result = ReadDxfEntities(dxf({"SECTION", "LINE"}), items);
    EXPECT_EQ(result.error(), "no ENTITIES section");
    EXPECT_TRUE(items.empty());

    result = ReadDxfEntities("ENTITIES\nLINE\n 10", items);
    EXPECT_EQ(result.error(), "line 4: value missing at the end of the file");

    result = ReadDxfEntities(dxf({"ENTITIES", "CIRCLE", " 40", "2000000000"}), items);
    EXPECT_EQ(result.error(), "line 4: '2000000000' is out of range");
    result = ReadDxfEntities(dxf({"ENTITIES", "ARC", " 50", "3600.0001"}), items);
    EXPECT_EQ(result.error(), "line 4: '3600.0001' is out of range");
}

TEST(DxfReader, DamagedSplinesAreLeftOut) {
    auto check = [](std::initializer_list<std::string_view> lines, std::size_t skipped) {
        std::vector<TItem> items;
        auto result = ReadDxfEntities(dxf(lines), items);
        ASSERT_TRUE(result.ok()) << result.error();
        EXPECT_EQ(result->skippedSplines, skipped);
        EXPECT_EQ(items.size(), 1u - skipped);
    };
    check({"ENTITIES", "SPLINE", " 73", "1", " 10", "0", " 20", "0"}, 1);                          // no " 72"
    check({"ENTITIES", "SPLINE", " 72", "2", " 40", "0", " 40", "1", " 10", "0", " 20", "0"}, 1);  // no " 73"
    check({"ENTITIES", "SPLINE", " 72", "3", " 40", "0", " 40", "1", " 73", "1", " 10", "0", " 20", "0"}, 1);
    check({"ENTITIES", "SPLINE", " 72", "1000000", " 40", "0", " 73", "1", " 10", "0", " 20", "0"}, 1);
    check({"ENTITIES", "SPLINE", " 72", "2", " 40", "0", " 40", "1", " 73", "0"}, 1);              // no point
    check({"ENTITIES", "SPLINE", " 72", "1", " 40", "0", " 73", "1", " 10", "0", " 20", "0"}, 1);  // knots < points + 1
    check({"ENTITIES", "SPLINE", " 72", "2", " 40", "1", " 40", "0", " 73", "1", " 10", "0", " 20", "0"}, 1);
    check({"ENTITIES", "SPLINE", " 72", "-1", " 73", "1", " 10", "0", " 20", "0"}, 1);
    check({"ENTITIES", "SPLINE", " 72", "2", " 40", "0", " 40", "1", " 73", "1", " 10", "0", " 20", "0"}, 0);
}

TEST(DxfReader, SplineCountsRoundHalvesToEven) {
    // 2.5 knots -> 2, 0.5 points -> 0: no point, left out; 1.5 -> 2 points need 3 knots.
    std::vector<TItem> items;
    auto result =
        ReadDxfEntities(dxf({"ENTITIES", "SPLINE", " 72", "3.5", " 40", "0",   " 40", "0",   " 40", "1",   " 40",
                             "1",        " 73",    "1.5", " 10", "0",   " 20", "0",   " 10", "1",   " 20", "1"}),
                        items);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].knots.size(), 4u);
    EXPECT_EQ(items[0].controlPoints.size(), 2u);
}

TEST(DxfReader, FailedOrEmptyLoadNamesTheFileAndChangesNothing) {
    JobContext ctx;
    ctx.params.segmentLength = mm(0.5);
    ctx.dxf.dxfFileName = "/nonexistent/drawing.dxf";
    auto result = LoadDxfFile(ctx, ',', {});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().rfind("/nonexistent/drawing.dxf: ", 0), 0u) << result.error();
    ctx.dxf.dxfFileName = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(LoadDxfFile(ctx, ',', {}).ok());  // a folder

    auto path = std::filesystem::temp_directory_path() / "bw-dxf-load-test.dxf";
    std::vector<std::string> statuses;
    auto remember = [&](std::string_view text) { statuses.emplace_back(text); };
    {
        std::ofstream(path, std::ios::binary)
            << dxf({"ENTITIES", "LINE", " 10", "0", " 20", "0", " 11", "120.5", " 21", "80"});
    }
    ctx.dxf.dxfFileName = path.string();
    ctx.dxf.view.viewPanX = 17;
    result = LoadDxfFile(ctx, ',', remember);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result->entities, 1u);
    EXPECT_EQ(ctx.dxf.view.viewPanX, 0);
    EXPECT_EQ(ctx.dxf.drawingBox.maxX, mm(120.5));
    ASSERT_GE(statuses.size(), 3u);
    EXPECT_EQ(statuses.front(), "Opening the file. Please wait.");
    EXPECT_EQ(statuses.back(), "Size 120,5x80,0mm");

    // A bad value or a file without entities changes nothing: drawing, box and view stay.
    const std::vector<TItem> before = ctx.dxf.dxfItems;
    const DxfView view = ctx.dxf.view;
    ctx.dxf.view.viewPanX = 9;
    for (auto [text, why] : {std::pair{dxf({"ENTITIES", "POINT"}), std::string_view{}},
                             std::pair{dxf({"ENTITIES", "LINE", " 10", "1", " 20", "1", " 11", "x"}),
                                       std::string_view{": line 8: 'x' is not a number"}}}) {
        { std::ofstream(path, std::ios::binary) << text; }
        result = LoadDxfFile(ctx, ',', {});
        if (why.empty()) {  // nothing to cut: no error here, the caller says why
            ASSERT_TRUE(result.ok()) << result.error();
            EXPECT_EQ(result->entities, 0u);
        } else {
            ASSERT_FALSE(result.ok());
            EXPECT_EQ(result.error(), path.string() + std::string(why));
        }
        EXPECT_EQ(ctx.dxf.dxfItems.size(), before.size());
        EXPECT_EQ(ctx.dxf.dxfItems[0].x2, mm(120.5));
        EXPECT_EQ(ctx.dxf.drawingBox.maxX, mm(120.5));
        EXPECT_EQ(ctx.dxf.view.viewScale, view.viewScale);
        EXPECT_EQ(ctx.dxf.view.viewPanX, 9);
    }
    std::filesystem::remove(path);
}

// Generated files full of the odd cases: names in any case, "ARC" as a layer,
// codes without the leading space, values missing or borrowed from later
// entities, bad numbers, spline counts that run past the entity or the file,
// and all three kinds of line end.
namespace {

std::string randomDxf(std::mt19937& random) {
    auto pick = [&](std::initializer_list<std::string_view> options) {
        return std::string(*(options.begin() + random() % options.size()));
    };
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    auto number = [&]() -> std::string {
        int r = static_cast<int>(random() % 100);
        if (r < 2) { return pick({"12.x5", "", "abc", "1e5", "1,2.3"}); }
        if (r < 3) { return pick({"5000000000", "-3600.5", "3600", "-3600"}); }
        std::string text = std::to_string(static_cast<int>(random() % 4000) - 2000);
        if (chance(50)) { text += (chance(50) ? "." : ",") + std::to_string(random() % 100000); }
        if (chance(5)) { text = " " + text + " "; }
        return text;
    };
    std::vector<std::string> lines;
    if (chance(90)) {
        lines.insert(lines.end(), {"  0", "SECTION", "  2", pick({"HEADER", "BLOCKS"}), "LINE", " 10", "1"});
        lines.push_back(pick({"ENTITIES", "entities", "EnTiTiEs"}));
    }
    int entities = static_cast<int>(random() % 12);
    for (int e = 0; e < entities; ++e) {
        lines.push_back("  0");
        std::string name = pick({"LINE", "line", "CIRCLE", "Circle", "ARC", "arc", "SPLINE", "spline", "POINT",
                                 "LWPOLYLINE", " LINE", "LINE "});
        lines.push_back(name);
        if (chance(10)) { lines.insert(lines.end(), {"  8", "ARC"}); }
        std::vector<std::string> codes;
        if (name == "SPLINE" || name == "spline") {
            int knots = static_cast<int>(random() % 9);
            int points = static_cast<int>(random() % 5);
            if (chance(85)) { lines.insert(lines.end(), {" 72", chance(95) ? std::to_string(knots) : number()}); }
            if (chance(85)) { lines.insert(lines.end(), {" 73", std::to_string(points + (chance(10) ? 1 : 0))}); }
            int value = 0;
            for (int k = 0; k < knots - (chance(10) ? 1 : 0); ++k) {
                value += chance(70) ? 0 : static_cast<int>(random() % 3) - (chance(5) ? 1 : 0);
                lines.insert(lines.end(), {" 40", std::to_string(value)});
            }
            for (int k = 0; k < points; ++k) {
                lines.insert(lines.end(), {" 10", number()});
                if (chance(95)) { lines.insert(lines.end(), {" 20", number()}); }
            }
        } else {
            for (std::string code : {" 10", " 20", " 11", " 21", " 40", " 50", " 51"}) {
                if (chance(80)) {
                    if (chance(5)) { code = code.substr(1); }
                    lines.push_back(code);
                    lines.push_back(code == " 50" || code == " 51" ? std::to_string(random() % 720) : number());
                }
            }
        }
    }
    if (chance(30)) { lines.push_back(pick({" 10", " 40", " 72", "ARC"})); }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += pick({"\r\n", "\r\n", "\n", "\r"});
    }
    if (chance(30) && !text.empty()) { text.pop_back(); }
    return text;
}

}  // namespace

TEST(DxfReader, IndexedReaderAgreesWithTheDirectRulesOnGeneratedFiles) {
    std::mt19937 random(20261206);
    int errors = 0;
    int skipped = 0;
    for (int n = 0; n < 4000; ++n) {
        std::string text = randomDxf(random);
        std::vector<TItem> fast;
        std::vector<TItem> slow;
        auto a = ReadDxfEntities(text, fast);
        auto b = reference::ReadDxf(text, slow);
        ASSERT_EQ(a.ok(), b.ok()) << text;
        if (a.ok()) {
            ASSERT_EQ(a->skippedSplines, b->skippedSplines) << text;
            skipped += static_cast<int>(a->skippedSplines);
        } else {
            ASSERT_EQ(a.error(), b.error()) << text;
            ++errors;
        }
        ASSERT_EQ(fast.size(), slow.size()) << text;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            ASSERT_TRUE(fast[i] == slow[i]) << "entity " << i << "\n" << text;
        }
    }
    // The generator must reach the odd cases, not only clean files.
    EXPECT_GT(errors, 200);
    EXPECT_GT(skipped, 200);
}

TEST(DxfExample, LoadsWithEveryKindAndItsBox) {
    std::filesystem::path path = std::filesystem::path(BEAMWRIGHT_EXAMPLES_DIR) / "ExampleDXF.dxf";
    JobContext ctx;
    ctx.params.segmentLength = mm(0.5);
    ctx.params.sourceWidthPx = 653;
    ctx.params.sourceHeightPx = 645;
    ctx.dxf.dxfFileName = path.string();
    auto loaded = LoadDxfFile(ctx, ',', {});
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded->skippedSplines, 0u);
    for (std::uint8_t kind : {DxfKind::Circle, DxfKind::Line, DxfKind::Arc, DxfKind::Spline}) {
        EXPECT_TRUE(std::any_of(ctx.dxf.dxfItems.begin(), ctx.dxf.dxfItems.end(),
                                [&](const TItem& item) { return item.kind == kind; }));
    }
    EXPECT_EQ(ctx.dxf.drawingBox, (DrawingBox{mm(0), mm(120), mm(0), mm(110)}));
}
