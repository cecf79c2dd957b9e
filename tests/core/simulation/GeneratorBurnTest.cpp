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
#include "job/JobSteps.h"
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
    ASSERT_TRUE(BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',').ok());
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
        for (double v : {s.from.x, s.from.y, s.to.x, s.to.y}) { EXPECT_TRUE(v >= 0 && v <= 10); }
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
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, picture, ',').ok());
    ASSERT_TRUE(GenerateRaster(ctx, picture, {}, ',').ok());

    const double pixel = 0.3;
    std::vector<int> rebuilt(width * height, 0);
    for (const ToolpathSegment& s : burntSegments(ctx.programLines)) {
        double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
        ASSERT_TRUE(dx == 0 || dy == 0) << "a burnt piece across the rows";
        long steps = std::lround(std::max(std::fabs(dx), std::fabs(dy)) / pixel);
        for (long k = 1; k <= steps; ++k) {
            long column = std::lround((s.from.x + dx * static_cast<double>(k) / static_cast<double>(steps)) / pixel);
            long row = std::lround((s.from.y + dy * static_cast<double>(k) / static_cast<double>(steps)) / pixel);
            ASSERT_TRUE(column >= 0 && column < width && row >= 0 && row < height);
            EXPECT_EQ(rebuilt[row * width + column], 0) << "pixel burnt twice";
            rebuilt[row * width + column] = static_cast<int>(s.power);
        }
    }
    EXPECT_EQ(rebuilt, levels);
}

// The PCB raster runs with the laser always on (every G1 burns). On a board of
// narrow light gaps (3 pixels between two dark areas, around a row of pads) the
// beam disk (r = 2 pixels) swept along the burnt path touches no light pixel and
// burns exactly the disks the raster reports as exposed: runs stop on their last
// exposed position. The 3 x 3 pad and the two-row strip, too small for the disk,
// stay untouched. (The stepper and extruder lines, M17, M302, G92 E0 and M18,
// are named as warnings.)
TEST(GeneratorBurn, PcbRasterDisksStayOnDarkPixels) {
    using namespace bw::test;
    PixelBuffer board(40, 30, kWhite);
    fillRect(board, 0, 2, 17, 12, kBlack);  // two areas, a 3-pixel gap between them
    fillRect(board, 21, 2, 39, 12, kBlack);
    fillRect(board, 4, 16, 10, 22, kBlack);  // pads: 7 x 7, 5 x 5 and 3 x 3, 3 pixels apart
    fillRect(board, 14, 18, 18, 22, kBlack);
    fillRect(board, 22, 19, 24, 21, kBlack);
    fillRect(board, 0, 26, 39, 27, kBlack);  // the two-row strip
    JobContext ctx = pcbContext(board);
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok()) << result.error();
    const int r = result->beamRadiusPx;
    ASSERT_EQ(r, 2);
    const double q = 25.4 / 508;

    std::vector<std::uint8_t> burnt(board.width * board.height, 0), exposed(burnt);
    auto markDisk = [&](std::vector<std::uint8_t>& map, int cx, int cy) {
        for (int py = std::max(cy - r, 0); py <= std::min(cy + r, board.height - 1); ++py) {
            for (int px = std::max(cx - r, 0); px <= std::min(cx + r, board.width - 1); ++px) {
                if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r) { map[py * board.width + px] = 1; }
            }
        }
    };
    for (PixelPosition p : result->exposed) { markDisk(exposed, p.x, p.y); }
    for (const ToolpathSegment& s : burntSegments(ctx.programLines, true, 4)) {
        if (s.from.z != s.to.z) { continue; }  // the focus move at the origin
        long steps = std::lround(std::hypot(s.to.x - s.from.x, s.to.y - s.from.y) / q);
        for (long k = 0; k <= steps; ++k) {  // one centre per pixel passed
            double t = steps == 0 ? 0 : static_cast<double>(k) / static_cast<double>(steps);
            double x = (s.from.x + (s.to.x - s.from.x) * t) / q;
            double y = board.height - (s.from.y + (s.to.y - s.from.y) * t) / q;
            markDisk(burnt, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
        }
    }
    for (int py = 0; py < board.height; ++py) {
        for (int px = 0; px < board.width; ++px) {
            if (burnt[py * board.width + px]) {
                ASSERT_EQ(board.row(py)[px], kBlack) << "light pixel " << px << "," << py << " burnt";
            }
        }
    }
    EXPECT_EQ(burnt, exposed);
    // Both sides of the gap and the two larger pads are reached; the small pad and the strip are not.
    for (auto [px, py] : {std::pair{17, 5}, {21, 5}, {7, 19}, {16, 20}}) {
        EXPECT_TRUE(burnt[py * board.width + px]) << px << "," << py;
    }
    for (auto [px, py] : {std::pair{23, 20}, {10, 26}}) {
        EXPECT_FALSE(burnt[py * board.width + px]) << px << "," << py;
    }
}
