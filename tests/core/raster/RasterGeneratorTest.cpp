#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneProcessing.h"

using namespace bw;

namespace {

// A picture from rows of grey values, top row first.
PixelBuffer picture(const std::vector<std::vector<int>>& rows) {
    PixelBuffer image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) { image.row(y)[x] = greyPixel(rows[y][x]); }
    }
    return image;
}

struct RasterFixture : ::testing::Test {
    JobContext ctx;
    RasterJobFields fields;
    std::vector<std::string> statusTexts;

    RasterFixture() {
        fields.headerText = "HEADER\r\n\r\n";
        fields.footerText = "FOOTER";
    }
    std::vector<std::string> run(const PixelBuffer& image) {
        EXPECT_TRUE(SetRasterOrigin(ctx, fields.pixelSizeText, image, ',').ok());
        EXPECT_TRUE(FillRasterParameters(ctx.params, fields, image, ',').ok());
        auto outcome = GenerateRaster(
            ctx, image, [&](std::string_view text) { statusTexts.emplace_back(text); }, ',');
        EXPECT_TRUE(outcome.ok()) << outcome.error();
        return bw::test::entries(ctx.programLines);
    }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(RasterFixture, OneByTwoPictureStepsStraightUpAtTheUpperLevel) {
    // Line 0 is the bottom pixel (white), line 1 the top one (black).
    EXPECT_EQ(run(picture({{0}, {255}})), (Lines{
                                              "HEADER",
                                              "G0 X0.0000 Y0.0000 Z1.5000 F5000 ",
                                              "G1 Y0.3000 F1500 S255",
                                              "G0 Y0.0000 F5000 S0",
                                              "FOOTER",
                                          }));
}

TEST_F(RasterFixture, BothPassesHorizontalFirstThenARapidThenColumnsOfFullHeight) {
    // Every neighbouring level differs, so each move shows where the scan went.
    fields.vertical = true;
    fields.maskText = "[G] [X] [Y] (S)[P]";
    EXPECT_EQ(run(picture({{10, 20, 30}, {40, 50, 60}})),
              (Lines{
                  "HEADER",
                  "G0 X0.0000 Y0.0000 S0",
                  "G1 X0.3000 Y0.0000 S205",  // bottom line, left to right
                  "G1 X0.6000 Y0.0000 S195",
                  "G1 X0.6000 Y0.3000 S225",  // top line, right to left
                  "G1 X0.3000 Y0.3000 S235",
                  "G1 X0.0000 Y0.3000 S245",
                  "G0 X0.0000 Y0.0000 S0",    // back to the first column's start with the laser off
                  "G1 X0.0000 Y0.3000 S245",  // column 0 upwards
                  "G1 X0.3000 Y0.3000 S235",  // column 1 downwards
                  "G1 X0.3000 Y0.0000 S205",
                  "G1 X0.6000 Y0.0000 S195",  // column 2 upwards
                  "G1 X0.6000 Y0.3000 S225",
                  "G0 X0.0000 Y0.0000 S0",
                  "FOOTER",
              }));
}

TEST_F(RasterFixture, VerticalPassAloneVisitsColumns) {
    fields.horizontal = false;
    fields.vertical = true;
    fields.maskText = "[G] [X] [Y] (S)[P]";
    EXPECT_EQ(run(picture({{10, 20}, {40, 50}, {70, 80}})), (Lines{
                                                                "HEADER",
                                                                "G0 X0.0000 Y0.0000 S0",
                                                                "G1 X0.0000 Y0.3000 S215",
                                                                "G1 X0.0000 Y0.6000 S245",
                                                                "G1 X0.3000 Y0.6000 S235",
                                                                "G1 X0.3000 Y0.3000 S205",
                                                                "G1 X0.3000 Y0.0000 S175",
                                                                "G0 X0.0000 Y0.0000 S0",
                                                                "FOOTER",
                                                            }));
}

TEST_F(RasterFixture, AllWhiteGivesOneRapidMovePerLine) {
    EXPECT_EQ(run(picture({{255, 255, 255}, {255, 255, 255}})), (Lines{
                                                                    "HEADER",
                                                                    "G0 X0.0000 Y0.0000 Z1.5000 F5000 ",
                                                                    "G0 X0.6000 F5000 ",
                                                                    "G0 Y0.3000 F5000 ",
                                                                    "G0 X0.0000 F5000 ",
                                                                    "G0 Y0.0000 F5000 ",
                                                                    "FOOTER",
                                                                }));
}

TEST_F(RasterFixture, FrameIsBurntEvenWhenThePicturesIsWhite) {
    fields.frame = true;
    EXPECT_EQ(run(picture({{255, 255, 255}, {255, 255, 255}})),
              (Lines{
                  "HEADER",
                  "G0 X0.0000 Y0.0000 Z1.5000 F5000 ",
                  "G1 Y0.6000 F1500 S255",  // the frame encloses the full 0.9 x 0.6 mm
                  "G1 X0.9000 F1500 ",
                  "G1 Y0.0000 F1500 ",
                  "G1 X0.0000 F1500 ",
                  "G0 X0.6000 F5000 S0",
                  "G0 Y0.3000 F5000 ",
                  "G0 X0.0000 F5000 ",
                  "G0 Y0.0000 F5000 ",
                  "FOOTER",
              }));
}

TEST_F(RasterFixture, EmptyPictureGivesHeaderOriginAndFooter) {
    EXPECT_EQ(run(PixelBuffer{}), (Lines{"HEADER", "G0 X0.0000 Y0.0000 Z1.5000 F5000 ", "FOOTER"}));
    EXPECT_EQ(statusTexts, (Lines{"Print size 0x0mm"}));
}

TEST_F(RasterFixture, PowerRangeIsPercentOfPwmMax) {
    fields.powerMinText = "20";
    fields.powerMaxText = "80";
    fields.pwmMaxText = "1000";
    fields.maskText = "[G] [X] (S)[P]";
    auto lines = run(picture({{0, 254, 255}}));
    EXPECT_EQ(ctx.params.powerMinPwm.raw, 2000000);
    EXPECT_EQ(ctx.params.powerMaxPwm.raw, 8000000);
    // Level 1 lies just above the minimum, white is never burnt.
    EXPECT_EQ(lines[2], "G1 X0.3000 S202");
    EXPECT_EQ(lines[3], "G0 X0.6000 S200");
    lines = run(picture({{0, 0}}));
    EXPECT_EQ(lines[2], "G1 X0.3000 S800");
}

TEST_F(RasterFixture, ParametersComeFromTheFieldsInWindowNotation) {
    fields.focusZText = "-2,25";
    fields.thicknessText = "3";
    fields.pixelSizeText = "0,125";
    fields.dirAxisStepText = "0,5";
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, PixelBuffer(7, 3), ',').ok());
    EXPECT_EQ(ctx.params.sourceWidthPx, 7);
    EXPECT_EQ(ctx.params.sourceHeightPx, 3);
    EXPECT_EQ(ctx.params.focusZ.raw, -22500);
    EXPECT_EQ(ctx.params.pixelSize.raw, 1250);
    EXPECT_EQ(ctx.params.headerText, "HEADER");
    EXPECT_EQ(ctx.params.workFeedText, "1500");

    JobContext untouched = ctx;
    fields.thicknessText = "1.5";  // a point on a comma system
    Status bad = FillRasterParameters(ctx.params, fields, PixelBuffer(7, 3), ',');
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(), "Material thickness [mm]: \"1.5\" is not a number");
    EXPECT_EQ(ctx.params.materialThickness, untouched.params.materialThickness);
}

TEST_F(RasterFixture, FeedThatIsNotWholeIsAnErrorBeforeAnythingIsEmitted) {
    ctx.programLines.append("previous program");
    fields.workFeedText = "15x0";
    PixelBuffer image = picture({{0}});
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, image, ',').ok());
    auto outcome = GenerateRaster(ctx, image, {}, ',');
    ASSERT_FALSE(outcome.ok());
    EXPECT_NE(outcome.error().find("15x0"), std::string::npos) << outcome.error();
    ASSERT_EQ(ctx.programLines.size(), 1u);
    EXPECT_EQ(ctx.programLines.entry(0), "previous program");
}

TEST_F(RasterFixture, PictureThatDoesNotMatchTheParametersIsRefused) {
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, PixelBuffer(4, 4), ',').ok());
    EXPECT_FALSE(GenerateRaster(ctx, PixelBuffer(3, 4), {}, ',').ok());
}

TEST_F(RasterFixture, ViewLimitIsExactlyOneHundredThousandEntries) {
    // A one-row picture of alternating black and white prints every pixel but
    // the first: header, origin, width - 1 pixels, the way back, footer.
    auto alternating = [](int width) {
        PixelBuffer row(width, 1);
        for (int x = 0; x < width; ++x) { row.row(0)[x] = greyPixel(x % 2 ? 255 : 0); }
        return row;
    };
    run(alternating(99997));
    EXPECT_EQ(ctx.programLines.size(), 100000u);
    EXPECT_FALSE(ctx.raster.previewSuppressed);
    run(alternating(99998));
    EXPECT_EQ(ctx.programLines.size(), 100001u);
    EXPECT_TRUE(ctx.raster.previewSuppressed);
}

TEST_F(RasterFixture, StatusTextFollowsTheLanguage) {
    ctx.languageIndex = 0;
    fields.pixelSizeText = "0,3";
    run(PixelBuffer(500, 334));
    EXPECT_EQ(statusTexts.back(), "Rozmiar wydruku 150x100,2mm");
    EXPECT_EQ(PrintSizeText(500, 334, Fixed4::fromRaw(3000), 1, '.'), "Print size 150x100.2mm");
}

namespace {

// A numeric punctuation that writes "1.234,5", as a German or Polish user's locale does.
struct CommaNumpunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

TEST_F(RasterFixture, OutputBytesDoNotFollowTheLocale) {
    PixelBuffer image(61, 17);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) { image.row(y)[x] = greyPixel((x * 37 + y * 11) % 256); }
    }
    fields.vertical = true;
    fields.frame = true;
    fields.pixelSizeText = "0,1234";
    fields.dirAxisStepText = "0,05";
    fields.maskText = "[G] [X] [Y] [Z] [F] (S)[P] [P00] [Pi0] (A)[A]";
    run(image);
    const std::string reference = ctx.programLines.text();

    std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
    std::string previousC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "pl_PL.UTF-8", "fr_FR.UTF-8", "de_DE", "pl_PL"}) {
        if (std::setlocale(LC_ALL, name)) { break; }
    }
    JobContext other;
    ctx = other;
    run(image);
    const std::string underComma = ctx.programLines.text();
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
    EXPECT_EQ(underComma, reference);
    EXPECT_NE(reference.find("X0.1234"), std::string::npos);
}

TEST_F(RasterFixture, ProgressCountsEveryLineOfBothPasses) {
    fields.vertical = true;
    const PixelBuffer image = picture({{0, 128, 255}, {255, 0, 0}});
    ASSERT_TRUE(SetRasterOrigin(ctx, fields.pixelSizeText, image, ',').ok());
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, image, ',').ok());
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    auto outcome = GenerateRaster(ctx, image, {}, ',',
                                  [&](std::int64_t done, std::int64_t total) { reports.emplace_back(done, total); });
    ASSERT_TRUE(outcome.ok());
    // Two rows, then three columns.
    const std::vector<std::pair<std::int64_t, std::int64_t>> expected{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}};
    EXPECT_EQ(reports, expected);
}
