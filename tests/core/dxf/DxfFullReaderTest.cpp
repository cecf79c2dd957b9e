#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "dxf/DxfDocument.h"
#include "dxf/DxfFullReader.h"
#include "dxf/DxfGroupReader.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfSkippedKinds.h"

using namespace bw;
using bw::test::mm;

namespace {

// A DXF text from group pairs; codes padded to three characters as drawing programs write them.
struct Pair {
    int code;
    std::string value;
};

std::string pairs(std::initializer_list<Pair> groups) {
    std::string text;
    for (const Pair& g : groups) {
        std::string code = std::to_string(g.code);
        text += std::string(code.size() < 3 ? 3 - code.size() : 0, ' ') + code + "\r\n" + g.value + "\r\n";
    }
    return text;
}

std::string entities(const std::string& body, const std::string& blocks = "", const std::string& header = "") {
    std::string text;
    if (!header.empty()) { text += pairs({{0, "SECTION"}, {2, "HEADER"}}) + header + pairs({{0, "ENDSEC"}}); }
    if (!blocks.empty()) { text += pairs({{0, "SECTION"}, {2, "BLOCKS"}}) + blocks + pairs({{0, "ENDSEC"}}); }
    return text + pairs({{0, "SECTION"}, {2, "ENTITIES"}}) + body + pairs({{0, "ENDSEC"}, {0, "EOF"}});
}

std::vector<TItem> readFull(const std::string& text, DxfFullReadSummary* summary = nullptr) {
    std::vector<TItem> items;
    auto result = ReadDxfDrawing(text, kDxfChordError, items);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error());
    if (result && summary) { *summary = *result; }
    return items;
}

std::string line(double x1, double y1, double x2, double y2, std::string layer = "0") {
    return pairs({{0, "LINE"},
                  {8, layer},
                  {10, std::to_string(x1)},
                  {20, std::to_string(y1)},
                  {11, std::to_string(x2)},
                  {21, std::to_string(y2)}});
}

// Whether a file holds only LINE, CIRCLE, ARC and SPLINE written the usual way:
// padded codes, no blocks, no weights, no extrusion, no paper space, millimetres.
bool isPlain(const std::string& text) {
    std::istringstream lines(text);
    std::string code, value;
    while (std::getline(lines, code) && std::getline(lines, value)) {
        if (!code.empty() && code.back() == '\r') { code.pop_back(); }
        if (code.size() != 3) { return false; }
        int number = std::atoi(code.c_str());
        if (number == 41 || number == 67 || number == 210 || number == 220 || number == 230) { return false; }
    }
    auto doc = ReadDxfDocument(text);
    if (!doc || !doc->entitiesFound || (doc->insUnits != 0 && doc->insUnits != 4)) { return false; }
    return doc->records.size() == doc->entityCount && CountScannerSkippedKinds(text).empty();
}

}  // namespace

// The promise to users who switch the full reading on: a plain drawing is cut exactly as before.
TEST(DxfFullReader, PlainDrawingsOfTheSuiteGiveTheScannersItems) {
    std::vector<std::filesystem::path> roots = {std::filesystem::path(BEAMWRIGHT_TEST_DATA_DIR).parent_path(),
                                                BEAMWRIGHT_EXAMPLES_DIR};
    int compared = 0;
    for (const auto& root : roots) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (entry.path().extension() != ".dxf") { continue; }
            std::ifstream in(entry.path(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!isPlain(text)) { continue; }
            std::vector<TItem> scanned, full;
            auto a = ReadDxfEntities(text, scanned);
            auto b = ReadDxfDrawing(text, kDxfChordError, full);
            ASSERT_EQ(a.ok(), b.ok()) << entry.path();
            if (a.ok()) {
                EXPECT_TRUE(scanned == full) << entry.path();
            } else {
                EXPECT_EQ(a.error(), b.error()) << entry.path();
            }
            ++compared;
        }
    }
    EXPECT_GE(compared, 10);
}

TEST(DxfFullReader, EntityCoordinateSystemsUnitsAndUnpaddedCodes) {
    // An arc drawn with extrusion (0, 0, -1) is the mirror image in X: centre (-10, 0), 90..180 degrees.
    auto items = readFull(entities(pairs(
        {{0, "ARC"}, {10, "10"}, {20, "0"}, {40, "5"}, {50, "0"}, {51, "90"}, {210, "0"}, {220, "0"}, {230, "-1"}})));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].kind, DxfKind::Arc);
    EXPECT_EQ(items[0].x, mm(-10));
    EXPECT_EQ(items[0].y, mm(0));
    EXPECT_EQ(items[0].radius, mm(5));
    EXPECT_EQ(items[0].startX, mm(-15));  // traced from the end angle (180 degrees)
    EXPECT_EQ(items[0].endY, mm(5));      // to the start angle (90 degrees)

    // Inches become millimetres; codes written without padding read the same.
    items = readFull(
        "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
        "0\nLINE\n10\n1\n20\n0\n11\n2\n21\n0.5\n0\nENDSEC\n0\nEOF\n");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].x1, mm(25.4));
    EXPECT_EQ(items[0].x2, mm(50.8));
    EXPECT_EQ(items[0].y2, mm(12.7));
}

TEST(DxfFullReader, BulgedPolylineGivesExactArcs) {
    // A closed slot: bulge 1 is a half circle counter-clockwise from (0, 0) to (10, 0), below the chord.
    auto items = readFull(entities(
        pairs({{0, "LWPOLYLINE"}, {90, "2"}, {70, "1"}, {10, "0"}, {20, "0"}, {42, "1"}, {10, "10"}, {20, "0"}})));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].kind, DxfKind::Arc);
    EXPECT_EQ(items[0].x, mm(5));
    EXPECT_EQ(items[0].y, mm(0));
    EXPECT_EQ(items[0].radius, mm(5));
    EXPECT_EQ(items[0].startAngle.raw, 1800000);  // 180 degrees in the engine's radian factor
    EXPECT_EQ(items[0].endAngle.raw, 0);
    EXPECT_EQ(items[1].kind, DxfKind::Line);  // the closing segment back to the start
    EXPECT_EQ(items[1].x1, mm(10));
    EXPECT_EQ(items[1].x2, mm(0));
}

TEST(DxfFullReader, BlocksAreNestedMirroredRotatedAndArrayed) {
    std::string blocks = pairs({{0, "BLOCK"}, {2, "Inner"}, {10, "1"}, {20, "0"}}) + line(1, 0, 2, 0) +
                         pairs({{0, "ENDBLK"}, {0, "BLOCK"}, {2, "Outer"}, {10, "0"}, {20, "0"}}) +
                         pairs({{0, "INSERT"}, {2, "INNER"}, {10, "0"}, {20, "0"}, {41, "-1"}}) +
                         pairs({{0, "ENDBLK"}});
    // Outer at (100, 0), turned 90 degrees, two columns 50 apart (the grid turns with it).
    auto items = readFull(entities(
        pairs({{0, "INSERT"}, {2, "Outer"}, {10, "100"}, {20, "0"}, {50, "90"}, {70, "2"}, {44, "50"}}), blocks));
    ASSERT_EQ(items.size(), 2u);
    // Inner mirrored: (1..2, 0) - base 1 -> (0..1) -> x -1 -> (0..-1); turned 90 -> (0, 0..-1); at (100, 0).
    EXPECT_EQ(items[0].x1, mm(100));
    EXPECT_EQ(items[0].y1, mm(0));
    EXPECT_EQ(items[0].x2, mm(100));
    EXPECT_EQ(items[0].y2, mm(-1));
    EXPECT_EQ(items[1].x1, mm(100));
    EXPECT_EQ(items[1].y1, mm(50));
}

TEST(DxfFullReader, PaperSpaceHiddenLayersAndUnreadKindsAreNotCut) {
    std::string tables = pairs({{0, "SECTION"},
                                {2, "TABLES"},
                                {0, "TABLE"},
                                {2, "LAYER"},
                                {70, "2"},
                                {0, "LAYER"},
                                {2, "Off"},
                                {70, "0"},
                                {62, "-7"},
                                {0, "LAYER"},
                                {2, "Frozen"},
                                {70, "1"},
                                {62, "7"},
                                {0, "ENDTAB"},
                                {0, "ENDSEC"}});
    std::string body = line(0, 0, 1, 0) + line(0, 0, 2, 0, "OFF") + line(0, 0, 3, 0, "frozen") +
                       pairs({{0, "LINE"}, {67, "1"}, {10, "0"}, {20, "0"}, {11, "4"}, {21, "0"}}) +
                       pairs({{0, "TEXT"}, {10, "0"}, {20, "0"}, {1, "x"}, {0, "MTEXT"}, {0, "TEXT"}}) +
                       pairs({{0, "SPLINE"}, {74, "2"}, {11, "0"}, {21, "0"}, {11, "1"}, {21, "1"}});
    DxfFullReadSummary summary;
    auto items = readFull(tables + entities(body), &summary);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].x2, mm(1));
    EXPECT_EQ(DxfSkippedText(summary.skipped, "Skipped:", ""), "Skipped: 2 TEXT, 1 MTEXT, 1 SPLINE");
}

TEST(DxfFullReader, BrokenBlocksAndHugeArraysAreRefusedBeforeTheWork) {
    std::vector<TItem> items;
    auto missing = ReadDxfDrawing(entities(pairs({{0, "INSERT"}, {2, "Nowhere"}})), kDxfChordError, items);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), "line 8: block 'NOWHERE' is not defined");

    std::string selfInsert = pairs({{0, "BLOCK"}, {2, "A"}, {0, "INSERT"}, {2, "A"}, {0, "ENDBLK"}});
    auto cycle = ReadDxfDrawing(entities(pairs({{0, "INSERT"}, {2, "A"}}), selfInsert), kDxfChordError, items);
    ASSERT_FALSE(cycle.ok());
    EXPECT_EQ(cycle.error(), "line 6: block 'A' inserts itself");

    // 10 000 x 10 000 copies of one line: refused from the counts, without expanding anything.
    std::string one = pairs({{0, "BLOCK"}, {2, "L"}}) + line(0, 0, 1, 0) + pairs({{0, "ENDBLK"}});
    auto huge = ReadDxfDrawing(entities(pairs({{0, "INSERT"}, {2, "L"}, {70, "10000"}, {71, "10000"}}), one),
                               kDxfChordError, items);
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error(), "the drawing expands to more than 10000000 pieces");
    EXPECT_TRUE(items.empty());

    auto bad = ReadDxfDrawing(entities(pairs({{0, "LWPOLYLINE"}, {10, "1"}, {20, "x"}})), kDxfChordError, items);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(), "line 10: 'x' is not a number");
}

TEST(DxfSkippedKinds, ScannerWarningCountsWhatTheScannerDoesNotRead) {
    std::string blocks = pairs({{0, "BLOCK"}, {2, "P"}, {0, "LWPOLYLINE"}, {0, "ENDBLK"}});
    std::string body = pairs({{0, "LWPOLYLINE"},
                              {0, "LINE"},
                              {0, "ELLIPSE"},
                              {0, "INSERT"},
                              {0, "POLYLINE"},
                              {0, "VERTEX"},
                              {0, "SEQEND"},
                              {0, "ARC"}});
    DxfSkippedKinds skipped = CountScannerSkippedKinds(entities(body, blocks));
    EXPECT_EQ(DxfSkippedText(skipped, "Skipped:", "(use --all-entities)"),
              "Skipped: 2 LWPOLYLINE, 1 ELLIPSE, 1 INSERT, 1 POLYLINE (use --all-entities)");
    EXPECT_EQ(DxfSkippedText(CountScannerSkippedKinds(entities(line(0, 0, 1, 1))), "Skipped:", "x"), "");
}

// The counting as the group reader sees the file, pair by pair: the scanner
// counts line by line on its own walk and must agree with it.
DxfSkippedKinds countByGroups(std::string_view text) {
    DxfSkippedKinds skipped;
    DxfGroupReader reader(text);
    enum { Outside, SectionName, Counted, OtherSection } state = Outside;
    DxfGroup g;
    while (reader.next(g)) {
        if (state == SectionName) {
            state = g.code == 2 && (IsDxfName(g.value, "ENTITIES") || IsDxfName(g.value, "BLOCKS")) ? Counted
                                                                                                    : OtherSection;
        } else if (g.code != 0) {
        } else if (IsDxfName(g.value, "SECTION")) {
            state = SectionName;
        } else if (IsDxfName(g.value, "ENDSEC")) {
            state = Outside;
        } else if (IsDxfName(g.value, "EOF")) {
            break;
        } else if (state == Counted && !IsDxfName(g.value, "LINE") && !IsDxfName(g.value, "ARC") &&
                   !IsDxfName(g.value, "CIRCLE") && !IsDxfName(g.value, "SPLINE") && !IsDxfName(g.value, "BLOCK") &&
                   !IsDxfName(g.value, "ENDBLK") && !IsDxfName(g.value, "VERTEX") && !IsDxfName(g.value, "SEQEND")) {
            skipped.add(g.value);
        }
    }
    return skipped;
}

TEST(DxfSkippedKinds, CountedOnTheScannersWalkAsPairByPair) {
    const std::string body = pairs({{0, "ellipse"}, {8, "0"}, {0, "TEXT"}}) + line(0, 0, 1, 1);
    const std::string plain = entities(body, pairs({{0, "BLOCK"}, {0, "INSERT"}, {0, "ENDBLK"}}));
    const std::vector<std::string> texts = {
        plain,
        plain + "\r\n\r\n",                                                          // blank lines after the last pair
        std::string(plain).insert(40, "\r\n"),                                       // a blank code line: damage
        pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"}}) + "  x\r\nMTEXT\r\n",  // a code that is no number
        pairs({{0, "SECTION"}, {2, "ENTITIES"}, {-5, "a"}, {0, " HATCH\t"}, {1000000, "b"}, {0, "TEXT"}}),
        pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"}}) + " 0\r",  // the last value missing
        pairs({{0, "SECTION"}, {2, "ENTITIES"}, {0, "EOF"}, {0, "TEXT"}}),
        pairs({{0, "SECTION"}, {2, "HEADER"}, {0, "TEXT"}, {0, "ENDSEC"}, {0, "SECTION"}, {5, "ENTITIES"}, {0, "X"}}),
        "  0\rSECTION\n  2\r\nENTITIES\r  0\nSOLID\n  0\r\nSOLID",  // every kind of line end
    };
    for (const std::string& text : texts) {
        std::vector<TItem> items;
        auto read = ReadDxfEntities(text, items);
        const std::string expected = DxfSkippedText(countByGroups(text), "", "");
        EXPECT_EQ(DxfSkippedText(CountScannerSkippedKinds(text), "", ""), expected) << text;
        if (read) { EXPECT_EQ(DxfSkippedText(read->skipped, "", ""), expected) << text; }
    }
}
