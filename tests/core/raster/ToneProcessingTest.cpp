#include <gtest/gtest.h>

#include <vector>

#include "raster/ToneProcessing.h"

using namespace bw;

namespace {

std::uint32_t rgb(int r, int g, int b) {
    return 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

PixelBuffer uniform(int width, int height, int grey) { return PixelBuffer(width, height, greyPixel(grey)); }

int red(const PixelBuffer& image, int x, int y) { return static_cast<int>((image.row(y)[x] >> 16) & 0xFFu); }

bool isGrey(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFFu) == ((pixel >> 8) & 0xFFu) && ((pixel >> 8) & 0xFFu) == (pixel & 0xFFu);
}

}  // namespace

TEST(ToneProcessing, GreyIsTheTruncatedMeanOfTheThreeBytes) {
    EXPECT_EQ(greyOf(rgb(255, 0, 0)), 85);
    EXPECT_EQ(greyOf(rgb(0, 0, 255)), 85);
    EXPECT_EQ(greyOf(rgb(1, 1, 0)), 0);  // 2 / 3 truncates
    EXPECT_EQ(greyOf(rgb(255, 255, 254)), 254);
    PixelBuffer picture(1, 1, rgb(255, 0, 0));
    PixelBuffer grey = ProcessTones(picture, ToneMode::Greyscale, 128);
    EXPECT_EQ(grey.row(0)[0], greyPixel(85));
}

TEST(ToneProcessing, ThresholdItselfIsBlack) {
    PixelBuffer picture(4, 1);
    picture.row(0)[0] = greyPixel(128);
    picture.row(0)[1] = greyPixel(129);
    picture.row(0)[2] = greyPixel(0);
    picture.row(0)[3] = greyPixel(255);
    PixelBuffer bw128 = ProcessTones(picture, ToneMode::Threshold, 128);
    EXPECT_EQ(red(bw128, 0, 0), 0);
    EXPECT_EQ(red(bw128, 1, 0), 255);
    PixelBuffer bw255 = ProcessTones(picture, ToneMode::Threshold, 255);
    for (int x = 0; x < 4; ++x) { EXPECT_EQ(red(bw255, x, 0), 0) << x; }
    PixelBuffer bw0 = ProcessTones(picture, ToneMode::Threshold, 0);
    EXPECT_EQ(red(bw0, 0, 0), 255);
    EXPECT_EQ(red(bw0, 2, 0), 0);  // only grey 0 stays black
    EXPECT_EQ(red(bw0, 3, 0), 255);
}

TEST(ToneProcessing, DitheringSpreadsTheErrorToTheRowBelow) {
    // A 2 x 2 picture worked by hand: (0,0) 128 >= 128 -> white, e -127;
    // (1,0) 128 - 55.5625 = 72.4375 -> black, e 72.4375;
    // (0,1) 100 - 127 x 5/16 + 72.4375 x 3/16 = 73.89453125 -> black;
    // (1,1) 100 - 127/16 + 72.4375 x 5/16 + 73.89453125 x 7/16 = 147.03 -> white.
    PixelBuffer picture(2, 2);
    picture.row(0)[0] = picture.row(0)[1] = greyPixel(128);
    picture.row(1)[0] = picture.row(1)[1] = greyPixel(100);
    PixelBuffer d = ProcessTones(picture, ToneMode::Dithering, 0);
    EXPECT_EQ(red(d, 0, 0), 255);
    EXPECT_EQ(red(d, 1, 0), 0);
    EXPECT_EQ(red(d, 0, 1), 0);
    EXPECT_EQ(red(d, 1, 1), 255);
    EXPECT_EQ(red(ProcessTones(uniform(2, 2, 127), ToneMode::Dithering, 0), 0, 0), 0);  // 127 < 128: black
}

TEST(ToneProcessing, EveryModeGivesGreyPixelsAndDitheringOnlyBlackOrWhite) {
    PixelBuffer picture(37, 23);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.row(y)[x] = rgb((x * 7) % 256, (y * 11) % 256, (x * y) % 256);
        }
    }
    for (ToneMode mode : {ToneMode::Threshold, ToneMode::Greyscale, ToneMode::Dithering}) {
        PixelBuffer out = ProcessTones(picture, mode, 128);
        ASSERT_EQ(out.width, 37);
        ASSERT_EQ(out.height, 23);
        for (std::uint32_t pixel : out.pixels) {
            ASSERT_TRUE(isGrey(pixel));
            if (mode != ToneMode::Greyscale) { ASSERT_TRUE((pixel & 0xFFu) == 0 || (pixel & 0xFFu) == 255); }
        }
    }
}

TEST(ToneProcessing, ProgressComesPerBandOfRowsUpTo100AndLeavesThePixelsAlone) {
    PixelBuffer picture(9, 150);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) { picture.row(y)[x] = rgb((x * 29) % 256, (y * 3) % 256, 40); }
    }
    for (ToneMode mode : {ToneMode::Threshold, ToneMode::Dithering}) {
        std::vector<int> told;
        PixelBuffer out = ProcessTones(picture, mode, 128, [&](int percent) { told.push_back(percent); });
        EXPECT_EQ(out.pixels, ProcessTones(picture, mode, 128).pixels);
        // 150 rows in bands of 64 (twice over for dithering: grey, then the error spread).
        const std::vector<int> expected =
            mode == ToneMode::Threshold ? std::vector<int>{42, 85, 100} : std::vector<int>{21, 42, 64, 85, 100};
        EXPECT_EQ(told, expected);
    }
}

TEST(ToneProcessing, EmptyPictureGivesEmptyResult) {
    EXPECT_TRUE(ProcessTones(PixelBuffer{}, ToneMode::Dithering, 128).empty());
}

TEST(ToneProcessing, TheCheckBoxesChooseTheMode) {
    EXPECT_EQ(toneModeFor(false, false), ToneMode::Threshold);
    EXPECT_EQ(toneModeFor(true, false), ToneMode::Greyscale);
    EXPECT_EQ(toneModeFor(true, true), ToneMode::Dithering);
    EXPECT_EQ(toneModeFor(false, true), ToneMode::Dithering);
}
