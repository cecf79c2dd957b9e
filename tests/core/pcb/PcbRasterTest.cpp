#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "PcbTestSupport.h"
#include "job/JobSteps.h"
#include "pcb/PcbRaster.h"

using namespace bw;
using namespace bw::test;

namespace {

std::set<int> exposedRows(const PcbRasterResult& result) {
    std::set<int> rows;
    for (PixelPosition p : result.exposed) { rows.insert(p.y); }
    return rows;
}

// A light picture with dark rows y0..y1 across columns 3..width-4.
PixelBuffer darkStrip(int width, int height, int y0, int y1) {
    PixelBuffer picture(width, height, kWhite);
    fillRect(picture, 3, y0, width - 4, y1, kBlack);
    return picture;
}

// Light pixels that the beam (radius r, 508 DPI) touches on the program's burning
// moves, found by following the G-code back onto the loaded picture.
std::set<std::pair<int, int>> lightTouched(const JobContext& ctx, int r) {
    const ClassLayer& layer = ctx.pcb.pcbClassMap;
    std::set<std::pair<int, int>> touched;
    auto burnAt = [&](int cx, int cy) {
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                bool inBeam = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
                if (inBeam && layer.contains(x, y) && layer.at(x, y) == PixelClass::Light) { touched.insert({x, y}); }
            }
        }
    };
    auto pixel = [](const std::string& line, char letter) {  // 0.05 mm per pixel
        return static_cast<int>(std::lround(std::stod(line.substr(line.find(letter) + 1)) / 0.05));
    };
    int x = 0;
    for (const std::string& entry : entries(ctx.programLines)) {
        std::size_t start = 0;
        while (start < entry.size()) {
            std::size_t end = std::min(entry.find("\r\n", start), entry.size());
            std::string line = entry.substr(start, end - start);
            start = end + 2;
            if (line.rfind("G0 X", 0) != 0 && line.rfind("G1 X", 0) != 0) { continue; }
            int nx = pixel(line, 'X');
            int y = ctx.pcb.pcbHeight - pixel(line, 'Y');
            if (line[1] == '1') {
                for (int px = std::min(x, nx); px <= std::max(x, nx); ++px) { burnAt(px, y); }
            }
            x = nx;
        }
    }
    return touched;
}

}  // namespace

TEST(PcbRaster, LinesLie2rMinus1RowsApartFromRowR) {
    PixelBuffer dark(30, 30, kBlack);
    JobContext ctx = pcbContext(dark);  // 0,2 mm at 508 DPI: r = 2
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result->beamRadiusPx, 2);
    EXPECT_EQ(exposedRows(*result), (std::set<int>{2, 5, 8, 11, 14, 17, 20, 23, 26}));

    JobContext wider = pcbContext(dark, Fixed4::fromRaw(2100));  // 0,21 mm: r = 3
    result = GeneratePcbRaster(wider);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->beamRadiusPx, 3);
    EXPECT_EQ(exposedRows(*result), (std::set<int>{3, 8, 13, 18, 23}));
}

TEST(PcbRaster, StripOf2rPlus1RowsIsExposedOnlyWhenALineHitsItsMiddle) {
    // r = 2, lines at 2, 5, 8, 11: the strip 6..10 has its middle on line 8.
    JobContext hit = pcbContext(darkStrip(40, 20, 6, 10));
    auto result = GeneratePcbRaster(hit);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(exposedRows(*result), (std::set<int>{8}));
    // Rows 6..10 are all exposed over the exposed columns.
    EXPECT_EQ(hit.pcb.rasterClassMap.at(20, 6), PixelClass::Exposed);
    EXPECT_EQ(hit.pcb.rasterClassMap.at(20, 10), PixelClass::Exposed);
    EXPECT_EQ(hit.pcb.rasterClassMap.at(20, 11), PixelClass::Light);

    for (auto [y0, y1] : {std::pair{5, 9}, std::pair{7, 11}, std::pair{6, 9}, std::pair{7, 10}}) {
        JobContext miss = pcbContext(darkStrip(40, 20, y0, y1));
        result = GeneratePcbRaster(miss);
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result->exposed.empty()) << y0 << ".." << y1;
        EXPECT_EQ(miss.programLines.size(), 9u);  // the fixed lines only
    }
}

TEST(PcbRaster, RunIsRapidZeroLengthBurnAndOneBurnToItsLastExposedPosition) {
    PixelBuffer picture(20, 5, kWhite);
    fillRect(picture, 5, 0, 14, 4, kBlack);  // one line at y = 2, centres 7..12 fit
    JobContext ctx = pcbContext(picture);
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(entries(ctx.programLines), (std::vector<std::string>{
                                             "M17",
                                             "M302",
                                             "G92 E0",
                                             "G1 F5000",
                                             "G1 Z1.5000",
                                             "G1 F1500",
                                             "G0 F5000\r\nG0 X0.3500 Y0.1500",
                                             "G1 F1500\r\nG1 X0.3500 Y0.1500",
                                             "G1 X0.6000 Y0.1500",
                                             "G1 F5000",
                                             "G0 X0.0000 Y0.0000",
                                             "M18",
                                         }));
    ASSERT_EQ(result->exposed.size(), 6u);
    EXPECT_EQ(result->exposed.front(), (PixelPosition{7, 2}));
    EXPECT_EQ(result->exposed.back(), (PixelPosition{12, 2}));
}

TEST(PcbRaster, BeamNeverTouchesTheLightOfANarrowGap) {
    // A dark strip cut by a gap of three light columns (14..16): r = 2, one line at y = 2.
    PixelBuffer picture(31, 5, kBlack);
    fillRect(picture, 14, 0, 16, 4, kWhite);
    JobContext ctx = pcbContext(picture);
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->exposed.size(), 10u + 10u);  // centres 2..11 and 19..28
    auto lines = entries(ctx.programLines);
    EXPECT_EQ(lines[8], "G1 X0.5500 Y0.1500");  // the run ends on centre 11, not 12
    EXPECT_EQ(lines[11], "G1 X1.4000 Y0.1500");
    EXPECT_TRUE(lightTouched(ctx, 2).empty());
}

TEST(PcbRaster, RunReachingTheEndOfALineEndsOnItsLastPosition) {
    PixelBuffer dark(12, 8, kBlack);  // lines at y = 2 (right) and y = 5 (left)
    JobContext ctx = pcbContext(dark);
    ASSERT_TRUE(GeneratePcbRaster(ctx).ok());
    auto lines = entries(ctx.programLines);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[6], "G0 F5000\r\nG0 X0.1000 Y0.3000");
    EXPECT_EQ(lines[7], "G1 F1500\r\nG1 X0.1000 Y0.3000");
    EXPECT_EQ(lines[8], "G1 X0.4500 Y0.3000");  // x = width - r - 1
    EXPECT_EQ(lines[9], "G0 F5000\r\nG0 X0.4500 Y0.1500");
    EXPECT_EQ(lines[10], "G1 F1500\r\nG1 X0.4500 Y0.1500");
    EXPECT_EQ(lines[11], "G1 X0.1000 Y0.1500");  // x = r
}

TEST(PcbRaster, ClosingLineIgnoresNumberFormatAndStartPoint) {
    PixelBuffer picture(20, 5, kWhite);
    fillRect(picture, 5, 0, 14, 4, kBlack);
    JobContext ctx = pcbContext(picture);
    ctx.numberFormat.decimals = 2;
    ctx.startPoint = 5;
    ASSERT_TRUE(ApplyPcbStartPoint(ctx).ok());  // 1,0 x 0,25 mm: offsets -0,5 and -0,125
    EXPECT_EQ(ctx.origin.x.raw, -5000);
    EXPECT_EQ(ctx.origin.y.raw, -1250);
    ASSERT_TRUE(GeneratePcbRaster(ctx).ok());
    auto lines = entries(ctx.programLines);
    EXPECT_EQ(lines[4], "G1 Z1.50");
    EXPECT_EQ(lines[6], "G0 F5000\r\nG0 X-0.15 Y0.03");  // 0,025 rounds away from zero
    EXPECT_EQ(lines[lines.size() - 2], "G0 X0.0000 Y0.0000");
    EXPECT_EQ(lines.back(), "M18");
}

TEST(PcbRaster, NeighbouringBandsOverlapAndCoverTheBlock) {
    // Lines y = 2 and 5 over a dark block of rows 0..7: the bands (rows 0..4 and
    // 3..7) overlap by two rows and together expose every row of the block.
    PixelBuffer picture(16, 9, kWhite);
    fillRect(picture, 0, 0, 15, 7, kBlack);
    JobContext ctx = pcbContext(picture);
    auto result = GeneratePcbRaster(ctx);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(exposedRows(*result), (std::set<int>{2, 5}));
    for (int y = 0; y <= 7; ++y) { EXPECT_EQ(ctx.pcb.rasterClassMap.at(8, y), PixelClass::Exposed) << y; }
    EXPECT_EQ(ctx.pcb.rasterClassMap.at(8, 8), PixelClass::Light);
    EXPECT_EQ(ctx.pcb.pcbClassMap.at(8, 3), PixelClass::Dark);  // the loaded classes stay
}

TEST(PcbRaster, BadInputIsRefusedWithoutTouchingTheProgram) {
    PixelBuffer dark(10, 10, kBlack);
    for (auto [beam, dpi] : {std::pair<std::int64_t, int>{0, 508}, {2000, 0}, {-5, 508}, {300000, 508}}) {
        JobContext ctx = pcbContext(dark, Fixed4::fromRaw(beam), dpi);
        ctx.programLines.append("kept");
        auto result = GeneratePcbRaster(ctx);
        ASSERT_FALSE(result.ok());
        EXPECT_FALSE(result.error().empty());
        EXPECT_EQ(ctx.programLines.size(), 1u);
    }
    JobContext empty = pcbContext(PixelBuffer(0, 0));
    EXPECT_FALSE(GeneratePcbRaster(empty).ok());
    JobContext badFeed = pcbContext(dark);
    badFeed.params.workFeedText = "fast";
    EXPECT_FALSE(GeneratePcbRaster(badFeed).ok());
}

TEST(PcbRaster, TinyAllLightAndAllDarkPictures) {
    for (const PixelBuffer& picture :
         {PixelBuffer(1, 1, kBlack), PixelBuffer(4, 4, kBlack), PixelBuffer(40, 40, kWhite)}) {
        JobContext ctx = pcbContext(picture);
        auto result = GeneratePcbRaster(ctx);
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result->exposed.empty());
        EXPECT_EQ(ctx.programLines.size(), 9u);
    }
    JobContext dark = pcbContext(PixelBuffer(5, 5, kBlack));  // exactly 2r + 1: one position
    auto result = GeneratePcbRaster(dark);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->exposed, (std::vector<PixelPosition>{{2, 2}}));
}
