#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <string>

#include "TestSupport.h"
#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "dxf/Spline.h"
#include "gcode/MaskPreview.h"
#include "job/JobSteps.h"

using namespace bw;
using bw::test::mm;

namespace {

struct DxfJob : ::testing::Test {
    JobContext ctx;

    void SetUp() override {
        ASSERT_TRUE(BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',').ok());  // power range 0..255
        ctx.params.segmentLength = mm(0.5);
        ctx.params.dirAxisStep = mm(0.05);
        ctx.params.focusZ = Fixed4{};
        ctx.params.materialThickness = mm(1.5);
        ctx.params.layerDepth = mm(0.5);
        ctx.params.workFeedText = "1500";
        ctx.params.rapidFeedText = "5000";
        ctx.params.pwmMax = mm(255);
        ctx.params.headerText = "H";
        ctx.params.footerText = "F";
    }

    void load(std::initializer_list<std::string_view> lines) {
        std::string text;
        for (std::string_view line : lines) { text += std::string(line) + "\n"; }
        ASSERT_TRUE(ReadDxfEntities(text, ctx.dxf.dxfItems).ok());
        ASSERT_TRUE(ComputeDrawingBox(ctx, {}).ok());
        ApplyDxfStartPoint(ctx);
    }

    std::vector<std::string> run() {
        Status status = GenerateDxfProgram(ctx, {});
        EXPECT_TRUE(status.ok()) << status.error();
        return bw::test::entries(ctx.programLines);
    }

    static std::size_t countStarting(const std::vector<std::string>& lines, std::string_view prefix) {
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
    }
};

}  // namespace

TEST(PassCount, FromTheFieldTexts) {
    EXPECT_EQ(UpdatePassCount("1,5", "0,5", false, ','), 4);
    EXPECT_EQ(UpdatePassCount("1,5", "0,5", true, ','), 5);
    EXPECT_EQ(UpdatePassCount("1,2", "0,5", false, ','), 4);
    EXPECT_EQ(UpdatePassCount("1,5", "0", false, ','), 1);
    EXPECT_EQ(UpdatePassCount("1,5", "", true, ','), 2);
    EXPECT_EQ(UpdatePassCount("1.5", "0.5", false, '.'), 4);
    EXPECT_EQ(UpdatePassCount("abc", "0,5", false, ','), 1);  // thickness 0: one pass
}

TEST_F(DxfJob, PassesRunFromTheSurfaceToTheFocusPlane) {
    // A line at the origin: the tracing position starts on its start point. The
    // run still begins with a rapid move there: the emitter prints its first move
    // as "G0" to that move's end, which would skip the first cut. Each pass cuts
    // the line back the other way; the Z of a pass appears with its first move in X or Y.
    load({"ENTITIES", "LINE", " 10", "0", " 20", "0", " 11", "10", " 21", "0"});
    auto program = run();
    std::vector<std::string> expected{"H",
                                      "G0 X0.0000 Y0.0000 Z1.5000 F5000 ",
                                      "G1 X10.0000 F1500 S255",
                                      "G1 X0.0000 Z1.0000 F1500 ",
                                      "G1 X10.0000 Z0.5000 F1500 ",
                                      "G1 X0.0000 Z0.0000 F1500 ",
                                      "F"};
    EXPECT_EQ(program, expected);
}

TEST_F(DxfJob, PassHeightsWithAndWithoutFinishingPass) {
    ctx.params.maskText = "[Z]";
    load({"ENTITIES", "LINE", " 10", "100", " 20", "100", " 11", "110", " 21", "100"});
    auto heights = [&] {
        std::vector<std::string> zs;
        for (const std::string& line : run()) {
            if (line.size() > 1 && line[0] == 'Z' && (zs.empty() || zs.back() != line)) { zs.push_back(line); }
        }
        return zs;
    };
    EXPECT_EQ(heights(), (std::vector<std::string>{"Z1.5000", "Z1.0000", "Z0.5000", "Z0.0000"}));
    ctx.params.finishingPass = true;
    auto program = run();
    // The last two passes at the focus plane, then the travel to the corner.
    EXPECT_EQ(std::count(program.begin(), program.end(), "Z0.0000"), 3);
    ctx.params.finishingPass = false;
    ctx.params.materialThickness = mm(1.2);
    EXPECT_EQ(heights(), (std::vector<std::string>{"Z1.2000", "Z0.7000", "Z0.2000", "Z0.0000"}));
    ctx.params.layerDepth = Fixed4{};
    EXPECT_EQ(heights(), (std::vector<std::string>{"Z1.2000"}));
    ctx.params.focusZ = mm(3);
    EXPECT_EQ(heights(), (std::vector<std::string>{"Z4.2000"}));
    // A negative thickness runs no pass: header, the closing moves and footer.
    ctx.params.materialThickness = mm(-1);
    ctx.params.layerDepth = mm(0.5);
    ctx.params.maskText = "[G] [X] [Y] [Z]";
    EXPECT_EQ(run(), (std::vector<std::string>{"H", "G0 X0.0000 Y0.0000 Z2.0000", "F"}));
}

TEST_F(DxfJob, LineBackDownItsOwnWayKeepsItsTurningPoint) {
    ctx.params.layerDepth = Fixed4{};
    ctx.params.maskText = "[G] [X] [Y]";
    load({"ENTITIES", "LINE", " 10", "10", " 20", "0", " 11", "10", " 21", "20",  //
          "LINE", " 10", "10", " 20", "20", " 11", "10", " 21", "5"});
    EXPECT_EQ(run(), (std::vector<std::string>{"H", "G0 X0.0000 Y0.0000", "G1 X0.0000 Y20.0000", "G1 X0.0000 Y5.0000",
                                               "G0 X0.0000 Y0.0000", "F"}));
}

TEST_F(DxfJob, AdjacentRectanglesCutTheirSharedEdgesInEveryPass) {
    // Three 10 mm squares side by side, each drawn as its own four lines: the
    // shared edges are traced up by one square and straight back down by the next.
    std::vector<std::string> text{"ENTITIES"};
    auto line = [&](int x1, int y1, int x2, int y2) {
        std::vector<std::string> entity{"LINE",
                                        " 10",
                                        std::to_string(x1),
                                        " 20",
                                        std::to_string(y1),
                                        " 11",
                                        std::to_string(x2),
                                        " 21",
                                        std::to_string(y2)};
        text.insert(text.end(), entity.begin(), entity.end());
    };
    for (int left : {0, 10, 20}) {
        line(left, 0, left + 10, 0);
        line(left + 10, 0, left + 10, 10);
        line(left + 10, 10, left, 10);
        line(left, 10, left, 0);
    }
    std::string dxf;
    for (const std::string& t : text) { dxf += t + "\n"; }
    ASSERT_TRUE(ReadDxfEntities(dxf, ctx.dxf.dxfItems).ok());
    ASSERT_TRUE(ComputeDrawingBox(ctx, {}).ok());
    ApplyDxfStartPoint(ctx);
    ctx.params.layerDepth = mm(0.75);
    ctx.params.maskText = "[G] [X] [Y] [Z]";
    auto program = run();

    // Follow the program: every burning move, by the Z of its pass.
    struct Cut {
        double x1, y1, x2, y2;
    };
    std::map<double, std::vector<Cut>> cuts;
    auto value = [](const std::string& entry, char letter) {
        double v = 0;
        const char* start = entry.data() + entry.find(letter) + 1;
        std::from_chars(start, entry.data() + entry.size(), v);
        return v;
    };
    double x = 0, y = 0;
    for (const std::string& entry : program) {
        if (entry.rfind("G0 ", 0) != 0 && entry.rfind("G1 ", 0) != 0) { continue; }
        double nx = value(entry, 'X');
        double ny = value(entry, 'Y');
        double z = value(entry, 'Z');
        if (entry[1] == '1') { cuts[z].push_back({x, y, nx, ny}); }
        x = nx;
        y = ny;
    }
    ASSERT_EQ(cuts.size(), 3u);
    // Every millimetre of every edge, tested at its middle, is cut in every pass.
    auto isCut = [](const std::vector<Cut>& pass, double px, double py) {
        return std::any_of(pass.begin(), pass.end(), [&](const Cut& c) {
            bool vertical = c.x1 == c.x2 && c.x1 == px && std::min(c.y1, c.y2) <= py && py <= std::max(c.y1, c.y2);
            bool horizontal = c.y1 == c.y2 && c.y1 == py && std::min(c.x1, c.x2) <= px && px <= std::max(c.x1, c.x2);
            return vertical || horizontal;
        });
    };
    for (const auto& [passZ, pass] : cuts) {
        for (double t = 0.5; t < 30; t += 1) {
            EXPECT_TRUE(isCut(pass, t, 0) && isCut(pass, t, 10)) << "Z " << passZ << ", X " << t;
        }
        for (double edge : {0, 10, 20, 30}) {
            for (double t = 0.5; t < 10; t += 1) {
                EXPECT_TRUE(isCut(pass, edge, t)) << "Z " << passZ << ", X " << edge;
            }
        }
    }
}

TEST_F(DxfJob, SplineOfNPiecesGivesNWorkingMoves) {
    ctx.params.layerDepth = Fixed4{};
    ctx.params.maskText = "[G] [X] [Y]";
    // A quarter-circle-like cubic: no two pieces run the same way, so none merge.
    load({"ENTITIES", "LINE", " 10", "-5",  " 20", "0",   " 11", "-5",  " 21", "1",  //
          "SPLINE",   " 72",  "8",   " 40", "0",   " 40", "0",   " 40", "0",   " 40", "0",   " 40", "1",
          " 40",      "1",    " 40", "1",   " 40", "1",   " 73", "4",   " 10", "0",   " 20", "0",   " 10",
          "1",        " 20",  "0",   " 10", "1",   " 20", "1",   " 10", "1",   " 20", "2"});
    auto program = run();  // polygon 3 mm: 6 pieces
    EXPECT_EQ(countStarting(program, "G1"), 1u + 6u);
    ctx.params.segmentLength = mm(10);  // one piece
    program = run();
    EXPECT_EQ(countStarting(program, "G1"), 1u + 1u);
    ctx.params.segmentLength = Fixed4{};
    Status refused = GenerateDxfProgram(ctx, {});
    EXPECT_EQ(refused.error(), "The segment length must be greater than 0 to trace splines");
}

// The job cuts splines through the points worked out with the drawing's box;
// without them, or with points kept for another segment length, it cuts the same.
TEST_F(DxfJob, SplinesCutTheSameWithOrWithoutThePointsKeptWithTheBox) {
    ctx.params.maskText = "[G] [X] [Y] [Z]";
    load({"ENTITIES", "LINE", " 10", "-5",  " 20", "0",   " 11", "-5",  " 21", "1",   "SPLINE", " 72",
          "8",        " 40",  "0",   " 40", "0",   " 40", "0",   " 40", "0",   " 40", "2",      " 40",
          "2",        " 40",  "2",   " 40", "2",   " 73", "4",   " 10", "0",   " 20", "0",      " 10",
          "1",        " 20",  "3",   " 10", "2",   " 20", "-1",  " 10", "4",   " 20", "1"});
    const std::vector<std::string> kept = run();  // two passes
    const std::int64_t pieces = *SplinePieces(ctx.dxf.dxfItems[1], ctx.params.segmentLength);
    ASSERT_NE(ctx.dxf.splineTrace.points(1, ctx.params.segmentLength, pieces), nullptr);
    ctx.dxf.splineTrace.reset(ctx.dxf.dxfItems.size(), mm(0.7));
    ctx.dxf.splineTrace.keep(1, pieces, [](std::int64_t) { return TPoint{mm(99), mm(99)}; });
    EXPECT_EQ(run(), kept);
    ctx.dxf.splineTrace = SplineTrace{};
    EXPECT_EQ(run(), kept);
}

TEST_F(DxfJob, BadFieldsFailBeforeAnythingIsEmitted) {
    load({"ENTITIES", "LINE", " 10", "0", " 20", "0", " 11", "10", " 21", "0"});
    ctx.programLines.append("previous");
    ctx.params.workFeedText = "";
    Status status = GenerateDxfProgram(ctx, {});
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error(), "Working feed: \"\" is not a whole number");
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "50.5";
    EXPECT_FALSE(GenerateDxfProgram(ctx, {}).ok());
    ctx.params.rapidFeedText = "5000";
    ctx.params.layerDepth = mm(-0.5);
    EXPECT_EQ(GenerateDxfProgram(ctx, {}).error(), "The layer depth must not be negative");
    ctx.params.layerDepth = mm(0.0001);
    ctx.params.materialThickness = mm(100);
    EXPECT_EQ(GenerateDxfProgram(ctx, {}).error(), "The thickness and layer depth give more than 100000 passes");
    ctx.params.layerDepth = mm(0.001);  // 99 999 passes of 300 lines
    ctx.params.materialThickness = mm(99.998);
    ctx.dxf.dxfItems.resize(300, ctx.dxf.dxfItems[0]);
    EXPECT_EQ(GenerateDxfProgram(ctx, {}).error(),
              "The program would have more than 50000000 moves; use fewer passes or a larger segment length");
    ASSERT_EQ(ctx.programLines.size(), 1u);
    EXPECT_EQ(ctx.programLines.entry(0), "previous");
}

TEST_F(DxfJob, StartPointOffsetsAndStatusTexts) {
    load({"ENTITIES", "LINE", " 10", "0", " 20", "0", " 11", "40", " 21", "20"});
    ctx.startPoint = 5;
    ApplyDxfStartPoint(ctx);
    ctx.languageIndex = 0;
    ctx.params.layerDepth = Fixed4{};
    std::vector<std::string> texts;
    ASSERT_TRUE(GenerateDxfProgram(ctx, [&](std::string_view text) { texts.emplace_back(text); }).ok());
    // The line's start moved by the offsets (-20, -10).
    EXPECT_EQ(ctx.programLines.entry(1), "G0 X-20.0000 Y-10.0000 Z1.5000 F5000 ");
    EXPECT_EQ(texts, std::vector<std::string>{"Obiekt nr: 0"});
}
