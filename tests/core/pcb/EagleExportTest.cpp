#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pcb/EagleExport.h"

using namespace bw;

namespace {
std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
}  // namespace

TEST(EagleExport, CommandLinesHaveNoLineBreak) {
    EXPECT_EQ(kEagleTopCommand, "run exp2image monochrome 508 .bmp 1 17 18 20");
    EXPECT_EQ(kEagleBottomCommand, "run exp2image monochrome 508 .bmp 16 17 18 20");
}

TEST(EagleExport, CarriedScriptIsTheResourceFile) {
    std::string asset = readAll(std::filesystem::path(BEAMWRIGHT_RESOURCES_DIR) / "exp2image.ulp");
    ASSERT_FALSE(asset.empty());
    EXPECT_EQ(Exp2ImageUlp(), asset);
}

TEST(EagleExport, WritingTwiceReplacesTheFile) {
    auto folder = std::filesystem::temp_directory_path() / "bw-ulp-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        std::ofstream old(folder / "exp2image.ulp", std::ios::binary);
        old << "an older, much longer script that must disappear completely " << std::string(20000, 'x');
    }
    ASSERT_TRUE(WriteUlpFile(folder).ok());
    ASSERT_TRUE(WriteUlpFile(folder).ok());
    EXPECT_EQ(readAll(folder / "exp2image.ulp"), Exp2ImageUlp());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator{}), 1);
    Status missing = WriteUlpFile(folder / "no" / "such");
    EXPECT_FALSE(missing.ok());
    std::filesystem::remove_all(folder);
}
