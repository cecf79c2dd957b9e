#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>

#include "PictureReader.h"
#include "raster/PictureSizing.h"

using namespace bw;

namespace {

std::string data(const char* name) { return std::string(BEAMWRIGHT_TEST_DATA_DIR) + "/raster/" + name; }
std::string example() { return std::string(BEAMWRIGHT_EXAMPLES_DIR) + "/ExampleBMP.jpg"; }

std::uint32_t rgb(int r, int g, int b) { return 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b); }

// The pattern the test-data script draws (scripts/make-raster-test-data.py).
PixelBuffer expectedPattern() {
    static const int palette[16][3] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                                       {128, 128, 128}, {10, 20, 30}, {200, 100, 50}, {1, 2, 3}, {250, 251, 252},
                                       {60, 0, 90}, {0, 70, 0}, {33, 66, 99}, {99, 66, 33}, {17, 17, 17},
                                       {240, 16, 128}};
    PixelBuffer pattern(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const int* c = palette[(x * 3 + y * 5) % 16];
            pattern.row(y)[x] = rgb(c[0], c[1], c[2]);
        }
    }
    return pattern;
}

std::string writeBytes(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path.toStdString();
}

QByteArray readBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace

TEST(LoadPicture, EveryBmpDepthGivesTheSamePixels) {
    PixelBuffer expected = expectedPattern();
    for (const char* name : {"pattern-4bit.bmp", "pattern-8bit.bmp", "pattern-24bit.bmp", "pattern-32bit.bmp"}) {
        auto loaded = LoadPicture(data(name), 0, 0);
        ASSERT_TRUE(loaded.ok()) << name << ": " << loaded.error();
        EXPECT_EQ(loaded->storedWidth, 5);
        EXPECT_EQ(loaded->storedHeight, 3);
        EXPECT_EQ(loaded->pixels.pixels, expected.pixels) << name;
    }
    auto mono = LoadPicture(data("mono-1bit.bmp"), 0, 0);
    ASSERT_TRUE(mono.ok()) << mono.error();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) { EXPECT_EQ(mono->pixels.row(y)[x], (x + y) % 2 ? rgb(255, 255, 255) : rgb(0, 0, 0)); }
    }
}

TEST(LoadPicture, ExampleJpegDecodes) {
    auto loaded = LoadPicture(example(), 0, 0);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded->pixels.width, 320);
    EXPECT_EQ(loaded->pixels.height, 240);
    EXPECT_EQ(QFile(QString::fromStdString(example())).size(), 14145);  // the window loads it only at this size
}

TEST(LoadPicture, ResamplingAlwaysStartsFromTheFile) {
    auto direct = LoadPicture(example(), 500, 400);
    ASSERT_TRUE(direct.ok());
    EXPECT_EQ(direct->pixels.width, 500);
    EXPECT_EQ(direct->pixels.height, 400);
    EXPECT_EQ(direct->storedWidth, 320);
    ASSERT_TRUE(LoadPicture(example(), 100, 80).ok());
    auto again = LoadPicture(example(), 500, 400);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->pixels.pixels, direct->pixels.pixels);
}

TEST(LoadPicture, EnlargingIsSmooth) {
    // Black and white side by side, four times wider: the filter leaves greys between them.
    QTemporaryDir dir;
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, 0xFF000000u);
    two.setPixel(1, 0, 0xFFFFFFFFu);
    std::string path = dir.filePath("two.bmp").toStdString();
    ASSERT_TRUE(two.save(QString::fromStdString(path), "BMP"));
    auto wide = LoadPicture(path, 8, 1);
    ASSERT_TRUE(wide.ok());
    int greys = 0;
    for (std::uint32_t pixel : wide->pixels.pixels) { greys += (pixel & 0xFFu) != 0 && (pixel & 0xFFu) != 255; }
    EXPECT_GT(greys, 0);
}

TEST(LoadPicture, SizeLimitIsCheckedOnTheStoredPicture) {
    auto wide = LoadPicture(data("wide-2001x10.bmp"), 100, 10);
    ASSERT_FALSE(wide.ok());
    EXPECT_EQ(wide.error(), "The image size is limited to 2000x2000 pixels.");
    auto huge = LoadPicture(data("huge-header.bmp"), 0, 0);  // refused from the header, nothing decoded
    ASSERT_FALSE(huge.ok());
    EXPECT_EQ(huge.error(), kPictureTooLargeMessage);
    auto absurd = LoadPicture(data("absurd-width.bmp"), 0, 0);  // 387 million pixels wide, a few bytes long
    ASSERT_FALSE(absurd.ok());
    EXPECT_EQ(absurd.error(), kPictureTooLargeMessage);

    QTemporaryDir dir;
    QImage limit(2000, 2000, QImage::Format_RGB32);
    limit.fill(0xFF808080u);
    std::string path = dir.filePath("limit.bmp").toStdString();
    ASSERT_TRUE(limit.save(QString::fromStdString(path), "BMP"));
    auto accepted = LoadPicture(path, 0, 0);
    ASSERT_TRUE(accepted.ok()) << accepted.error();
    EXPECT_EQ(accepted->pixels.width, 2000);
}

TEST(LoadPicture, BadFilesGiveErrorsNamingTheFile) {
    QTemporaryDir dir;
    QByteArray jpeg = readBytes(example());
    std::string truncated = writeBytes(dir, "truncated.jpg", jpeg.left(jpeg.size() / 2));
    std::string lastRowsMissing = writeBytes(dir, "tail.jpg", jpeg.left(jpeg.size() - 200));
    std::string cases[] = {data("lying-header.bmp"), data("zero-size.bmp"), data("not-a-picture.jpg"), truncated,
                           lastRowsMissing, data("no-such-file.bmp")};
    for (const std::string& path : cases) {
        auto loaded = LoadPicture(path, 0, 0);
        ASSERT_FALSE(loaded.ok()) << path;
        EXPECT_NE(loaded.error().find(path), std::string::npos) << loaded.error();
    }
}

TEST(WritePicturePng, WritesWhatWillBeEngraved) {
    QTemporaryDir dir;
    std::string path = dir.filePath("view.png").toStdString();
    PixelBuffer picture = expectedPattern();
    ASSERT_TRUE(WritePicturePng(path, picture).ok());
    auto back = ReadPicture(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->pixels, picture.pixels);
    EXPECT_FALSE(WritePicturePng(dir.filePath("no-folder/view.png").toStdString(), picture).ok());
}

// Two-colour pictures are read from their bits; the colours must be exactly
// those of the 32-bit conversion, whatever the palette holds and however wide a row is.
TEST(ReadPicture, TwoColourPicturesMatchTheFullConversion) {
    QTemporaryDir dir;
    QImage mono(13, 5, QImage::Format_Mono);
    mono.setColorTable({qRgb(200, 10, 30), qRgba(5, 250, 7, 128)});
    for (int y = 0; y < mono.height(); ++y) {
        for (int x = 0; x < mono.width(); ++x) { mono.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? 1 : 0); }
    }
    std::string path = dir.filePath("mono.bmp").toStdString();
    ASSERT_TRUE(mono.save(QString::fromStdString(path), "BMP"));
    QImage reference(QString::fromStdString(path));
    ASSERT_EQ(reference.format(), QImage::Format_Mono);  // what the BMP reader gives back
    reference = reference.convertToFormat(QImage::Format_ARGB32);
    auto read = ReadPicture(path);
    ASSERT_TRUE(read.ok());
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) { ASSERT_EQ(read->row(y)[x], reference.pixel(x, y)) << x << "," << y; }
    }
}
