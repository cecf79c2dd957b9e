#include <gtest/gtest.h>

#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"

using namespace bw;

TEST(ToneAdjustments, NeutralSettingsChangeNothing) {
    ToneTable table = BuildAdjustmentTable(ToneAdjustments{});
    for (int i = 0; i < 256; ++i) { EXPECT_EQ(table[i], i) << i; }
    EXPECT_EQ(ContrastFactor(0), 256);
}

TEST(ToneAdjustments, ContrastExtremes) {
    EXPECT_EQ(ContrastFactor(255), 512);
    EXPECT_EQ(ContrastFactor(-255), 0);
    EXPECT_EQ(ContrastFactor(100), 356);   // (100/255 + 1) x 256 = 356.39
    EXPECT_EQ(ContrastFactor(-100), 156);  // 155.61
    EXPECT_EQ(AdjustBrightnessContrast(129, 0, 512), 130);
    EXPECT_EQ(AdjustBrightnessContrast(127, 0, 512), 126);
    for (int byte : {0, 1, 127, 128, 200, 255}) {
        for (int brightness : {-255, 0, 255}) { EXPECT_EQ(AdjustBrightnessContrast(byte, brightness, 0), 128); }
    }
}

TEST(ToneAdjustments, BrightnessExtremes) {
    // Byte 0 with +255 gives exactly 65280: not above the limit, so 255.
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(AdjustBrightnessContrast(byte, 255, 256), 255) << byte;
        EXPECT_EQ(AdjustBrightnessContrast(byte, -255, 256), 0) << byte;
    }
    EXPECT_EQ(AdjustBrightnessContrast(10, 20, 256), 30);
}

TEST(ToneAdjustments, GammaTable) {
    ToneTable two = BuildGammaTable(200);
    EXPECT_EQ(two[64], 128);  // 255 x (64/255)^0.5 = 127.75
    EXPECT_EQ(two[0], 0);
    EXPECT_EQ(two[255], 255);
    ToneTable one = BuildGammaTable(100);
    for (int i = 0; i < 256; ++i) { EXPECT_EQ(one[i], i); }
    ToneTable darkest = BuildGammaTable(1);  // exponent 100
    EXPECT_EQ(darkest[200], 0);
    EXPECT_EQ(darkest[254], 172);  // 255 x 0.99608^100 = 172.2
    EXPECT_EQ(darkest[255], 255);
}

TEST(ToneAdjustments, BrightnessAndContrastComeBeforeGamma) {
    // 32 + 32 = 64, then gamma 2 gives 128; the other order would give 128 + 32.
    ToneTable table = BuildAdjustmentTable({200, 32, 0});
    EXPECT_EQ(table[32], 128);
}

TEST(ToneAdjustments, AppliedToEveryByteOfEveryPixel) {
    PixelBuffer view(2, 1);
    view.row(0)[0] = 0x00402010u;
    view.row(0)[1] = greyPixel(64);
    ApplyAdjustments(view, {200, 0, 0});
    EXPECT_EQ(view.row(0)[1], greyPixel(128));
    ToneTable two = BuildGammaTable(200);
    EXPECT_EQ(view.row(0)[0], 0xFF000000u | std::uint32_t(two[0x40]) << 16 | std::uint32_t(two[0x20]) << 8 | two[0x10]);
}
