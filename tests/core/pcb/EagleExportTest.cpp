#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "pcb/EagleExport.h"

using namespace bw;
using bw::test::readFile;

TEST(EagleExport, CarriedScriptIsTheResourceFile) {
    std::string asset = readFile(std::filesystem::path(BEAMWRIGHT_RESOURCES_DIR) / "exp2image.ulp");
    ASSERT_FALSE(asset.empty());
    EXPECT_EQ(Exp2ImageUlp(), asset);
}

TEST(EagleExport, WritingTwiceReplacesTheFile) {
    bw::test::TempFolder folder;
    bw::test::writeFile(folder.path / "exp2image.ulp",
                        "an older, much longer script that must disappear completely " + std::string(20000, 'x'));
    ASSERT_TRUE(WriteUlpFile(folder.path).ok());
    ASSERT_TRUE(WriteUlpFile(folder.path).ok());
    EXPECT_EQ(readFile(folder.path / "exp2image.ulp"), Exp2ImageUlp());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), std::filesystem::directory_iterator{}),
              1);
    EXPECT_FALSE(WriteUlpFile(folder.path / "no" / "such").ok());
}
