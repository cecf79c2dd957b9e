#include <gtest/gtest.h>

#include <random>

#include "PcbTestSupport.h"
#include "job/JobSteps.h"
#include "pcb/BeamDisk.h"
#include "pcb/PcbOutline.h"

using namespace bw;
using namespace bw::test;

namespace {

MachinePoint pixel(int x, int y, int height) {
    // 508 DPI: one pixel is 0.05 mm = 500 units.
    return {Fixed4::fromRaw(x * 500), Fixed4::fromRaw((height - y) * 500)};
}

// A light 40 x 30 picture with one dark rectangle, columns 5..34, rows 5..24.
PixelBuffer darkRectangle() {
    PixelBuffer picture(40, 30, kWhite);
    fillRect(picture, 5, 5, 34, 24, kBlack);
    return picture;
}

}  // namespace

TEST(PcbOutline, SingleRectangleGivesSixPointsSimplifiedToFive) {
    JobContext ctx = pcbContext(darkRectangle());
    auto result = GeneratePcbOutline(ctx, ',');
    ASSERT_TRUE(result.ok()) << result.error();
    ASSERT_EQ(result->traced.size(), 1u);
    const Contour expected{pixel(32, 7, 30), pixel(32, 7, 30),  pixel(7, 7, 30),
                           pixel(7, 22, 30), pixel(32, 22, 30), pixel(32, 7, 30)};
    EXPECT_EQ(result->traced[0], expected);
    EXPECT_EQ(result->simplified[0],
              (Contour{pixel(32, 7, 30), pixel(7, 7, 30), pixel(7, 22, 30), pixel(32, 22, 30), pixel(32, 7, 30)}));
    EXPECT_EQ(result->unfinishedWalks, 0);
    EXPECT_EQ(entries(ctx.programLines), (std::vector<std::string>{
                                             "; 6 -> 5 (-16,7%)",
                                             "G0 X1.6000 Y1.1500 Z18.3000 F10000 ",
                                             "G1 X0.3500 F1500 S255",
                                             "G1 Y0.4000 F1500 ",
                                             "G1 X1.6000 F1500 ",
                                             "G1 Y1.1500 F1500 ",
                                         }));
    // The walked band is r wide inside the edge; the middle stays unwalked.
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(5, 7), PixelClass::Walked);
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(5, 5), PixelClass::Dark);  // the corner is out of the disk's reach
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(9, 9), PixelClass::Walked);
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(20, 15), PixelClass::Dark);
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(4, 4), PixelClass::Light);
}

TEST(PcbOutline, OneEdgeGivesOneContourAndTheRunIsRepeatable) {
    JobContext ctx = pcbContext(darkRectangle());
    ASSERT_TRUE(GeneratePcbOutline(ctx, ',').ok());
    std::string first = ctx.programLines.text();
    auto again = GeneratePcbOutline(ctx, ',');
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->traced.size(), 1u);
    EXPECT_EQ(ctx.programLines.text(), first);
}

TEST(PcbOutline, OnePixelStaircaseStepIsRemovedFromALongEdge) {
    // The top edge steps down by one pixel (0,05 mm) at column 30.
    PixelBuffer picture(60, 30, kWhite);
    fillRect(picture, 5, 5, 29, 24, kBlack);
    fillRect(picture, 30, 6, 54, 24, kBlack);
    JobContext ctx = pcbContext(picture);
    auto result = GeneratePcbOutline(ctx, ',');
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->traced.size(), 1u);
    EXPECT_EQ(result->traced[0], (Contour{pixel(29, 7, 30), pixel(29, 7, 30), pixel(7, 7, 30), pixel(7, 22, 30),
                                          pixel(52, 22, 30), pixel(52, 8, 30), pixel(29, 8, 30), pixel(29, 7, 30)}));
    EXPECT_EQ(result->simplified[0], (Contour{pixel(29, 7, 30), pixel(7, 7, 30), pixel(7, 22, 30), pixel(52, 22, 30),
                                              pixel(52, 8, 30), pixel(29, 7, 30)}));
    EXPECT_EQ(ctx.programLines.entry(0), "; 8 -> 6 (-25,0%)");
}

TEST(PcbOutline, FeedsAndZAreFixedWhateverTheFieldsSay) {
    JobContext ctx = pcbContext(darkRectangle());
    ctx.params.workFeedText = "123";
    ctx.params.rapidFeedText = "456";
    ctx.params.focusZ = Fixed4::fromInt(7);
    ctx.params.engravingCutter = true;
    ctx.params.pwmMax = Fixed4::fromInt(1000);
    ctx.params.maskText = "[G] [X] [Y] [Z] [F] (S)[P]";
    auto result = GeneratePcbOutline(ctx, '.');
    ASSERT_TRUE(result.ok());
    auto lines = entries(ctx.programLines);
    EXPECT_EQ(lines[0], "; 6 -> 5 (-16.7%)");
    EXPECT_EQ(lines[1], "G0 X1.6000 Y1.1500 Z18.3000 F10000 S0");
    EXPECT_EQ(lines[2], "G1 X0.3500 Y1.1500 Z18.3000 F1500 S255");
    EXPECT_EQ(lines.back(), "G1 X1.6000 Y1.1500 Z18.3000 F1500 S255");
    EXPECT_EQ(ctx.params.pwmMax.raw, 2550000);
    EXPECT_EQ(ctx.params.workFeedText, "1500");
    EXPECT_EQ(ctx.params.rapidFeedText, "10000");
}

TEST(PcbOutline, StatisticsLineRoundsTheExactReduction) {
    EXPECT_EQ(OutlineStatisticsLine(6, 5, ','), "; 6 -> 5 (-16,7%)");
    EXPECT_EQ(OutlineStatisticsLine(120, 9, ','), "; 120 -> 9 (-92,5%)");
    EXPECT_EQ(OutlineStatisticsLine(16, 3, ','), "; 16 -> 3 (-81,3%)");  // 81,25 exactly: away from zero
    EXPECT_EQ(OutlineStatisticsLine(5, 5, ','), "; 5 -> 5 (-0,0%)");
    EXPECT_EQ(OutlineStatisticsLine(3, 2, '.'), "; 3 -> 2 (-33.3%)");
}

TEST(PcbOutline, PicturesWithoutEdgesGiveAnEmptyProgram) {
    for (const PixelBuffer& picture : {PixelBuffer(1, 1, kBlack), PixelBuffer(1, 1, kWhite),
                                       PixelBuffer(50, 50, kBlack), PixelBuffer(50, 50, kWhite)}) {
        JobContext ctx = pcbContext(picture);
        ctx.programLines.append("old");
        auto result = GeneratePcbOutline(ctx, ',');
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result->traced.empty());
        EXPECT_TRUE(ctx.programLines.empty());
    }
}

TEST(PcbOutline, CopperTouchingTheEdgeIsOutlinedAlongTheEdge) {
    // A light notch reaching the right edge: the walk round it would leave the
    // bitmap; it follows the bitmap's edge instead and comes back to its start.
    PixelBuffer picture(40, 30, kBlack);
    fillRect(picture, 20, 10, 39, 19, kWhite);
    JobContext ctx = pcbContext(picture);
    auto result = GeneratePcbOutline(ctx, ',');
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->traced.size(), 1u);
    EXPECT_EQ(result->unfinishedWalks, 0);
    EXPECT_EQ(result->traced[0],
              (Contour{pixel(19, 8, 30), pixel(19, 7, 30), pixel(39, 7, 30), pixel(39, 0, 30), pixel(0, 0, 30),
                       pixel(0, 29, 30), pixel(39, 29, 30), pixel(39, 22, 30), pixel(19, 22, 30), pixel(19, 21, 30),
                       pixel(18, 21, 30), pixel(18, 20, 30), pixel(17, 20, 30), pixel(17, 9, 30), pixel(18, 9, 30),
                       pixel(18, 8, 30), pixel(19, 8, 30)}));
}

TEST(PcbOutline, StartWithoutFreeNeighbourIsItsOwnContour) {
    // r = 1 (0,05 mm): the start (2, 2) has no free neighbour. Turning back would
    // step onto a position whose disk touches light (and from there into a circle
    // that never comes back); the start alone becomes the contour instead.
    JobContext ctx = pcbContext(
        pictureFromArt({"#.###", "#.###", ".####", ".##.#", "####.", ".####", "#####", "##..#"}), Fixed4::fromRaw(500));
    std::vector<std::string> messages;
    auto result = GeneratePcbOutline(ctx, ',', [&](std::string_view text) { messages.emplace_back(text); });
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->beamRadiusPx, 1);
    ASSERT_FALSE(result->traced.empty());
    EXPECT_EQ(result->traced[0], (Contour{pixel(2, 2, 8), pixel(2, 2, 8)}));
    EXPECT_EQ(ctx.programLines.entry(0), "; 2 -> 2 (-0,0%)");
    EXPECT_EQ(result->unfinishedWalks, 0) << ::testing::PrintToString(messages);
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(2, 3), PixelClass::Walked);  // the start's disk only
    // (2, 4) would start a walk of its own, but its disk holds the walked (2, 3).
    EXPECT_EQ(ctx.pcb.outlineClassMap.at(2, 4), PixelClass::Dark);
}

TEST(PcbOutline, RandomPicturesAlwaysFinish) {
    std::mt19937 random(12345);
    int circles = 0;  // walks that keep to free positions always come back
    for (int round = 0; round < 300; ++round) {
        int width = 1 + static_cast<int>(random() % 40);
        int height = 1 + static_cast<int>(random() % 40);
        PixelBuffer picture(width, height, kBlack);
        for (auto& pixel : picture.pixels) {
            if (random() % 5 == 0) { pixel = kWhite; }
        }
        for (std::int64_t beam : {500, 2000, 5000}) {
            JobContext ctx = pcbContext(picture, Fixed4::fromRaw(beam));
            auto result = GeneratePcbOutline(
                ctx, ',', [&](std::string_view text) { circles += text.find("circle") != std::string_view::npos; });
            ASSERT_TRUE(result.ok());
            ASSERT_EQ(result->traced.size(), result->simplified.size());
            const int r = result->beamRadiusPx;
            for (const Contour& contour : result->traced) {
                EXPECT_GE(contour.size(), 2u);
                EXPECT_EQ(contour.front(), contour.back());  // every walk comes back to its start
                // Every corner keeps the disk off the light pixels.
                for (MachinePoint p : contour) {
                    int x = static_cast<int>(p.x.raw / 500);
                    int y = height - static_cast<int>(p.y.raw / 500);
                    for (int py = y - r; py <= y + r; ++py) {
                        for (int px = x - r; px <= x + r; ++px) {
                            if (InBeam(px, py, x, y, r, width, height)) {
                                ASSERT_NE(ctx.pcb.pcbClassMap.at(px, py), PixelClass::Light);
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(circles, 0);
}

TEST(PcbOutline, BadBeamOrResolutionIsRefused) {
    for (auto [beam, dpi] : {std::pair<std::int64_t, int>{0, 508}, {2000, 0}, {2000, -1}, {260000, 508}}) {
        JobContext ctx = pcbContext(darkRectangle(), Fixed4::fromRaw(beam), dpi);
        ctx.programLines.append("kept");
        auto result = GeneratePcbOutline(ctx, ',');
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(ctx.programLines.size(), 1u);
        EXPECT_EQ(ctx.params.workFeedText, "1500");
    }
    JobContext nothing;
    EXPECT_FALSE(GeneratePcbOutline(nothing, ',').ok());
    // 4000 pixels at 1 DPI is a board of 101 m.
    JobContext huge = pcbContext(PixelBuffer(4000, 2, kBlack), Fixed4::fromRaw(300000), 1);
    EXPECT_FALSE(GeneratePcbOutline(huge, ',').ok());
}
