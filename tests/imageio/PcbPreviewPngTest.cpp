#include <gtest/gtest.h>

#include <filesystem>

#include "PcbPreviewPng.h"
#include "PictureReader.h"
#include "pcb/PcbBitmapLoader.h"

using namespace bw;

TEST(PcbPictures, ExampleLoadsAsBlackCopperOnWhite) {
    auto picture = LoadPcbPicture(std::string(BEAMWRIGHT_EXAMPLES_DIR) + "/ExamplePCB.bmp");
    ASSERT_TRUE(picture.ok()) << picture.error();
    EXPECT_EQ(picture->width, 416);
    EXPECT_EQ(picture->height, 638);
    PcbState pcb;
    ASSERT_TRUE(LoadPcbBitmap(pcb, *picture).ok());
    EXPECT_EQ(pcb.pcbClassMap.at(0, 0), PixelClass::Light);  // the margin outside the board outline
    EXPECT_EQ(pcb.pcbClassMap.at(3, 3), PixelClass::Dark);   // the board outline
}

TEST(PcbPictures, PreviewPngRoundTrips) {
    PixelBuffer picture(3, 2, 0xFFFFFFFFu);
    picture.row(1)[2] = 0xFF1E5AFFu;
    auto path = (std::filesystem::temp_directory_path() / "bw-pcb-preview-test.png").string();
    ASSERT_TRUE(WritePreviewPng(path, picture).ok());
    auto back = ReadPicture(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->pixels, picture.pixels);
    std::filesystem::remove(path);
    EXPECT_FALSE(WritePreviewPng("/nonexistent-folder/x.png", picture).ok());
    EXPECT_FALSE(WritePreviewPng(path, PixelBuffer()).ok());
}
