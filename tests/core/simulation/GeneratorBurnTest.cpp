// What the generators' programs burn, read back through the simulator: the
// test judges the path on the machine, not the program's bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "../pcb/PcbTestSupport.h"
#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "gcode/DefaultHeaderFooter.h"
#include "pcb/PcbRaster.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneProcessing.h"
#include "simulation/ProgramSimulator.h"

using namespace bw;

namespace {

std::vector<ToolpathSegment> burntSegments(const ProgramLines& program, bool burnAllFeedMoves = false,
                                           std::int64_t expectedWarnings = 0) {
    SimulationOptions options;
    options.burnAllFeedMoves = burnAllFeedMoves;
    options.estimateTime = false;
    std::vector<ToolpathSegment> burnt;
    ProgramSimulator simulator(options, [&](const ToolpathSegment& s) {
        if (s.burning) { burnt.push_back(s); }
    });
    for (std::size_t i = 0; i < program.size(); ++i) { simulator.addText(program.entry(i)); }
    SimulationSummary summary = simulator.finish();
    EXPECT_EQ(summary.warningCount, expectedWarnings) << (summary.warnings.empty() ? "" : summary.warnings.front());
    return burnt;
}

}  // namespace

// A 10 mm square cut 1.5 mm deep in 0.5 mm layers: four passes (Z 1.5 to 0), and
// in every pass each side is burnt over its whole length; nothing off the sides.
TEST(GeneratorBurn, DxfSquareBurnsItsFourSidesInEveryPass) {
    std::ifstream file(BEAMWRIGHT_TEST_DATA_DIR "/../golden/dxf-square/input.dxf", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    JobContext ctx;
    ASSERT_TRUE(BuildMaskPreview(ctx, MaskPreviewFields{}, ',').ok());
    ctx.params.segmentLength = Fixed4::fromDouble(0.5);
    ctx.params.materialThickness = Fixed4::fromDouble(1.5);
    ctx.params.layerDepth = Fixed4::fromDouble(0.5);
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    ctx.params.pwmMax = Fixed4::fromInt(255);
    ctx.params.headerText = kDefaultHeaderText;
    ctx.params.footerText = kDefaultFooterText;
    ASSERT_TRUE(ReadDxfEntities(text.str(), ctx.dxf.dxfItems).ok());
    ASSERT_TRUE(ComputeDrawingBox(ctx, {}).ok());
    ApplyDxfStartPoint(ctx);
    ASSERT_TRUE(GenerateDxfProgram(ctx, {}).ok());

    // Per pass (the Z a piece ends at) and side: the covered length.
    std::map<double, std::map<char, double>> covered;
    for (const ToolpathSegment& s : burntSegments(ctx.programLines)) {
        EXPECT_EQ(s.power, 255);
        char side = 0;
        if (s.from.y == 0 && s.to.y == 0) { side = 'B'; }
        if (s.from.y == 10 && s.to.y == 10) { side = 'T'; }
        if (s.from.x == 0 && s.to.x == 0) { side = 'L'; }
        if (s.from.x == 10 && s.to.x == 10) { side = 'R'; }
        ASSERT_NE(side, 0) << "off the square: " << s.from.x << "," << s.from.y << " to " << s.to.x << "," << s.to.y;
        for (double v : {s.from.x, s.from.y, s.to.x, s.to.y}) {
            EXPECT_TRUE(v >= 0 && v <= 10);
        }
        covered[s.to.z][side] += std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
    }
    std::map<char, double> everySide{{'B', 10}, {'L', 10}, {'R', 10}, {'T', 10}};
    EXPECT_EQ(covered, (std::map<double, std::map<char, double>>{
                           {0.0, everySide}, {0.5, everySide}, {1.0, everySide}, {1.5, everySide}}));
}

// A picture's program read back: every burnt piece runs along a pixel row and
// gives the pixels it reaches its power; the grid rebuilt so equals the levels
// (255 - grey) of the picture, row 0 at the bottom.
TEST(GeneratorBurn, PictureProgramRebuildsThePowerGrid) {
    const int width = 23, height = 9;
    PixelBuffer picture(width, height);
    std::vector<int> levels(width * height);  // [row from the bottom][column]
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            // Runs of equal greys (merged into one move), white gaps and every shade.
            int grey = (x / 3 * 37 + row * 53) % 256;
            if (row == 0 && x == 0) { grey = 255; }  // the program starts here, so it burns nothing
            picture.row(height - 1 - row)[x] = greyPixel(grey);
            levels[row * width + x] = 255 - grey;
        }
    }
    JobContext ctx;
    RasterJobFields fields;
    ASSERT_TRUE(SetRasterOrigin(ctx, fields.pixelSizeText, picture, ',').ok());
    ASSERT_TRUE(FillRasterParameters(ctx, fields, picture, ',').ok());
    ASSERT_TRUE(GenerateRaster(ctx, picture, {}, ',').ok());

    const double pixel = 0.3;
    std::vector<int> rebuilt(width * height, 0);
    for (const ToolpathSegment& s : burntSegments(ctx.programLines)) {
        double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
        ASSERT_TRUE(dx == 0 || dy == 0) << "a burnt piece across the rows";
        long steps = std::lround(std::max(std::fabs(dx), std::fabs(dy)) / pixel);
        for (long k = 1; k <= steps; ++k) {
            long column = std::lround((s.from.x + dx * k / steps) / pixel);
            long row = std::lround((s.from.y + dy * k / steps) / pixel);
            ASSERT_TRUE(column >= 0 && column < width && row >= 0 && row < height);
            EXPECT_EQ(rebuilt[row * width + column], 0) << "pixel burnt twice";
            rebuilt[row * width + column] = static_cast<int>(s.power);
        }
    }
    EXPECT_EQ(rebuilt, levels);
}

// The PCB raster runs with the laser always on (every G1 burns): every point of
// the burnt path carries the beam disk (r = 2 pixels) over dark pixels only, so
// the two-row strip, too narrow for the disk, stays untouched. The bands run the
// board's full width. (The program's stepper and extruder lines, M17, M302,
// G92 E0 and M18, are named as warnings.)
TEST(GeneratorBurn, PcbRasterDisksStayOnDarkPixels) {
    using namespace bw::test;
    PixelBuffer board(30, 24, kWhite);
    fillRect(board, 0, 2, 29, 8, kBlack);
    fillRect(board, 0, 10, 29, 11, kBlack);
    fillRect(board, 0, 13, 29, 20, kBlack);
    JobContext ctx = pcbContext(board);
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok()) << result.error();
    const int r = result->beamRadiusPx;
    const double q = 25.4 / 508;
    std::vector<ToolpathSegment> burnt = burntSegments(ctx.programLines, true, 4);
    ASSERT_FALSE(burnt.empty());
    double length = 0;
    for (const ToolpathSegment& s : burnt) {
        if (s.from.x == s.to.x && s.from.y == s.to.y) { continue; }  // the focus move at the origin
        length += std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
        for (int k = 0; k <= 64; ++k) {
            double x = (s.from.x + (s.to.x - s.from.x) * k / 64) / q;
            double y = board.height - (s.from.y + (s.to.y - s.from.y) * k / 64) / q;
            int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
            for (int py = cy - r; py <= cy + r; ++py) {
                for (int px = cx - r; px <= cx + r; ++px) {
                    if ((px - cx) * (px - cx) + (py - cy) * (py - cy) > r * r) { continue; }
                    if (px < 0 || py < 0 || px >= board.width || py >= board.height) { continue; }  // off the board
                    ASSERT_EQ(board.row(py)[px], kBlack) << "disk at " << cx << "," << cy << " touches light pixel " << px << "," << py;
                }
            }
        }
    }
    EXPECT_GE(length, 2 * 25 * q);  // one line in each wide band, across the board
}
