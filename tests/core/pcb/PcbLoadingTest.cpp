#include <gtest/gtest.h>

#include "PcbTestSupport.h"
#include "pcb/ClassRendering.h"
#include "pcb/PcbFields.h"
#include "pcb/PcbGeometry.h"

using namespace bw;
using namespace bw::test;

TEST(PcbLoading, BlackIsDarkWhiteIsLightOtherColoursByLuminance) {
    EXPECT_TRUE(IsDarkPixel(kBlack));
    EXPECT_FALSE(IsDarkPixel(kWhite));
    EXPECT_TRUE(IsDarkPixel(0xFF7F7F7Fu));   // grey 127: 127 000 < 128 000
    EXPECT_FALSE(IsDarkPixel(0xFF808080u));  // grey 128
    EXPECT_TRUE(IsDarkPixel(0xFFFF0000u));   // pure red is dark
    EXPECT_FALSE(IsDarkPixel(0xFF00FF00u));  // pure green is light
    EXPECT_TRUE(IsDarkPixel(0x00000000u));   // alpha plays no part
}

TEST(PcbLoading, EveryLayerGetsTheClassificationAndAReloadReplacesMarks) {
    PcbState pcb;
    ASSERT_TRUE(LoadPcbBitmap(pcb, pictureFromArt({"#..", ".##"})).ok());
    EXPECT_EQ(pcb.pcbWidth, 3);
    EXPECT_EQ(pcb.pcbHeight, 2);
    const std::vector<std::uint8_t> expected{0, 1, 1, 1, 0, 0};
    EXPECT_EQ(pcb.pcbClassMap.cells, expected);
    EXPECT_EQ(pcb.rasterClassMap.cells, expected);
    EXPECT_EQ(pcb.outlineClassMap.cells, expected);
    EXPECT_EQ(pcb.pcbClassMap.at(1, 1), PixelClass::Dark);  // [column][row]
    EXPECT_EQ(pcb.pcbClassMap.at(2, 0), PixelClass::Light);

    pcb.rasterClassMap.at(0, 0) = PixelClass::Exposed;
    ASSERT_TRUE(LoadPcbBitmap(pcb, pictureFromArt({"##"})).ok());
    EXPECT_EQ(pcb.rasterClassMap.cells, (std::vector<std::uint8_t>{0, 0}));
    EXPECT_EQ(pcb.pcbWidth, 2);

    ASSERT_TRUE(LoadPcbBitmap(pcb, PixelBuffer(0, 0)).ok());
    EXPECT_FALSE(pcb.loaded());
    EXPECT_TRUE(pcb.outlineClassMap.empty());
    EXPECT_EQ(pcb.pcbWidth, 0);
}

TEST(PcbLoading, DamagedBufferIsRefused) {
    PixelBuffer broken(4, 4);
    broken.pixels = PixelStore(std::vector<std::uint32_t>(3, 0xFFFFFFFFu));
    PcbState pcb;
    EXPECT_FALSE(LoadPcbBitmap(pcb, broken).ok());
}

TEST(PcbRendering, EachClassGetsItsPaletteIndex) {
    ClassLayer layer{4, 1, {0, 1, 2, 4}};
    EXPECT_EQ(RenderClassMap(layer, kLoadedClasses).indices, (std::vector<std::uint8_t>{255, 0, 100, 255}));
    EXPECT_EQ(RenderClassMap(layer, kRasterPreviewClasses).indices, (std::vector<std::uint8_t>{255, 0, 255, 200}));
    EXPECT_EQ(RenderClassMap(layer, kPlainClasses).indices, (std::vector<std::uint8_t>{255, 0, 255, 255}));
    PixelBuffer colours = ToPixels(RenderClassMap(layer, kRasterPreviewClasses));
    EXPECT_EQ(colours.pixels[0], kWhite);
    EXPECT_EQ(colours.pixels[1], kBlack);
    EXPECT_NE(colours.pixels[3], kWhite);
    EXPECT_NE(PreviewPaletteColour(100), PreviewPaletteColour(200));
}

TEST(PcbGeometry, BeamRadiusIsExact) {
    auto radius = [](std::int64_t diameterUnits, int dpi) { return BeamRadiusPx(Fixed4::fromRaw(diameterUnits), dpi); };
    EXPECT_EQ(*radius(2000, 508), 2);  // 0,2 mm: exactly 2, where a double gives 3
    EXPECT_EQ(*radius(2100, 508), 3);  // 0,21 mm
    EXPECT_EQ(*radius(5000, 508), 5);  // 0,5 mm
    EXPECT_EQ(*radius(1, 508), 1);
    EXPECT_EQ(*radius(255000, 508), 255);
    EXPECT_FALSE(radius(255001, 508).ok());
    EXPECT_FALSE(radius(0, 508).ok());
    EXPECT_FALSE(radius(-2000, 508).ok());
    EXPECT_FALSE(radius(2000, 0).ok());
    EXPECT_FALSE(radius(2000, -508).ok());
    EXPECT_FALSE(radius(std::int64_t(9) << 60, 2147483647).ok());  // no overflow, just out of range
    EXPECT_NE(radius(2000, 0).error().find("DPI"), std::string::npos);
}

TEST(PcbGeometry, PixelCoordinatesRoundOnce) {
    PixelToMachine at508(508, 100);
    EXPECT_EQ(at508.x(1).raw, 500);
    EXPECT_EQ(at508.y(0).raw, 50000);  // the top row: height x q
    EXPECT_EQ(at508.y(99).raw, 500);   // the bottom row: q
    PixelToMachine at300(300, 10);
    EXPECT_EQ(at300.x(1).raw, 847);  // 846.67 units
    EXPECT_EQ(at300.x(3).raw, 2540);
    auto extent = PcbExtentMm(416, 638, 508);
    ASSERT_TRUE(extent.ok());
    EXPECT_EQ(extent->width.raw, 208000);
    EXPECT_EQ(extent->height.raw, 319000);
    EXPECT_FALSE(PcbExtentMm(10, 10, 0).ok());
}

TEST(PcbFields, SnapshotTakesThePageFieldsAndRefusesBadOnes) {
    JobParameters params;
    params.maskText = "[G]";
    PcbFields fields;
    fields.engravingCutter = true;
    ASSERT_TRUE(TakePcbSnapshot(params, fields, ',').ok());
    EXPECT_EQ(params.pcbDpi, 508);
    EXPECT_EQ(params.beamDiameter.raw, 2000);
    EXPECT_EQ(params.materialThickness.raw, 15000);
    EXPECT_EQ(params.plungeDepth.raw, 2000);
    EXPECT_EQ(params.liftHeight.raw, 20000);
    EXPECT_EQ(params.pwmMax.raw, 2550000);
    EXPECT_EQ(params.rapidFeedText, "5000");
    EXPECT_TRUE(params.engravingCutter);
    EXPECT_EQ(params.maskText, "[G]");  // not part of this snapshot

    JobParameters before = params;
    for (auto spoil : {+[](PcbFields& f) { f.dpiText = "5O8"; }, +[](PcbFields& f) { f.beamDiameterText = "0.2"; },
                       +[](PcbFields& f) { f.pwmMaxText = "255,5"; }, +[](PcbFields& f) { f.workFeedText = ""; }}) {
        PcbFields bad;
        spoil(bad);
        Status status = TakePcbSnapshot(params, bad, ',');
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(params.pcbDpi, before.pcbDpi);
    }
}
