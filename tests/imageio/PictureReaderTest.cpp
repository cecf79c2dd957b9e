#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

#include "PcbPreviewPng.h"
#include "PictureReader.h"
#include "raster/PictureSizing.h"

using namespace bw;

namespace {

std::string data(const char* name) { return std::string(BEAMWRIGHT_TEST_DATA_DIR) + "/raster/" + name; }
std::string example() { return std::string(BEAMWRIGHT_EXAMPLES_DIR) + "/ExampleBMP.jpg"; }

std::uint32_t rgb(int r, int g, int b) {
    return 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

// The pattern the test-data script draws (scripts/make-raster-test-data.py).
PixelBuffer expectedPattern() {
    static const int palette[16][3] = {{0, 0, 0},    {255, 255, 255}, {255, 0, 0},  {0, 255, 0},
                                       {0, 0, 255},  {128, 128, 128}, {10, 20, 30}, {200, 100, 50},
                                       {1, 2, 3},    {250, 251, 252}, {60, 0, 90},  {0, 70, 0},
                                       {33, 66, 99}, {99, 66, 33},    {17, 17, 17}, {240, 16, 128}};
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
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(mono->pixels.row(y)[x], (x + y) % 2 ? rgb(255, 255, 255) : rgb(0, 0, 0));
        }
    }
}

TEST(LoadPicture, ResamplingAlwaysStartsFromTheFile) {
    auto direct = LoadPicture(example(), 500, 400);
    ASSERT_TRUE(direct.ok());
    EXPECT_EQ(direct->pixels.width, 500);
    EXPECT_EQ(direct->pixels.height, 400);
    EXPECT_EQ(direct->storedWidth, 320);  // the example's own size
    EXPECT_EQ(direct->storedHeight, 240);
    ASSERT_TRUE(LoadPicture(example(), 100, 80).ok());
    auto again = LoadPicture(example(), 500, 400);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->pixels.pixels, direct->pixels.pixels);
}

// The decoder's memory is taken over, not copied: what is changed in place (the
// command line's tones) or in a copy (the window's) must stay in that buffer,
// and the pixels must outlive every step of their loading.
TEST(LoadPicture, PixelsTakenOverFromTheDecoderBelongToTheirBuffer) {
    for (QSize size : {QSize(320, 240), QSize(500, 400)}) {
        PixelBuffer first = LoadPicture(example(), size.width(), size.height())->pixels;
        PixelBuffer copy = first;
        const PixelBuffer untouched = LoadPicture(example(), size.width(), size.height())->pixels;
        for (std::uint32_t& pixel : copy.pixels) { pixel = 0; }
        EXPECT_EQ(first.pixels, untouched.pixels);
        PixelBuffer moved = std::move(first);
        for (std::uint32_t& pixel : moved.pixels) { pixel ^= 0x00FFFFFFu; }
        EXPECT_EQ(moved.row(7)[9], untouched.row(7)[9] ^ 0x00FFFFFFu);
        EXPECT_TRUE(first.pixels.empty());
    }
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

// The page's preview and the board's preview: read back, the pixels are those written.
TEST(WritePng, BothPreviewsRoundTripAndReportFailures) {
    QTemporaryDir dir;
    std::string path = dir.filePath("view.png").toStdString();
    PixelBuffer picture = expectedPattern();
    for (auto write : {&WritePicturePng, &WritePreviewPng}) {
        ASSERT_TRUE(write(path, picture).ok());
        auto back = ReadPicture(path);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back->pixels, picture.pixels);
        EXPECT_FALSE(write(dir.filePath("no-folder/view.png").toStdString(), picture).ok());
    }
    EXPECT_FALSE(WritePreviewPng(path, PixelBuffer()).ok());
}

namespace {

void put32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) { b[at + i] = char((v >> (8 * i)) & 0xFF); }
}

// A BMP with a 40-byte header, `colours` palette entries (grey ramp) and the given pixel data.
QByteArray bmpFile(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression, int colours,
                   const QByteArray& pixels) {
    QByteArray b(54 + colours * 4, '\0');
    const int offset = static_cast<int>(b.size());
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, std::uint32_t(offset + pixels.size()));
    put32(b, 10, std::uint32_t(offset));
    put32(b, 14, 40);
    put32(b, 18, std::uint32_t(width));
    put32(b, 22, std::uint32_t(height));
    b[26] = 1;
    b[28] = char(bits);
    put32(b, 30, compression);
    put32(b, 46, std::uint32_t(colours));
    for (int i = 0; i < colours; ++i) {
        const char level = char(colours == 2 ? i * 255 : i);
        b[54 + 4 * i] = b[55 + 4 * i] = b[56 + 4 * i] = level;
    }
    return b + pixels;
}

}  // namespace

// Damaged, incomplete or missing pictures are refused by the picture page and the board alike,
// naming the file.
TEST(LoadPicture, BadFilesAreRefusedOnEveryPath) {
    QTemporaryDir dir;
    // RLE8 of 2 x 2: a run of two of colour 1, end of row, two of colour 2, end of bitmap.
    const QByteArray rle = QByteArray::fromHex("0201000002020001");
    std::string complete = writeBytes(dir, "rle.bmp", bmpFile(2, 2, 8, 1, 3, rle));
    auto decoded = LoadPicture(complete, 0, 0);
    ASSERT_TRUE(decoded.ok()) << decoded.error();
    EXPECT_EQ(decoded->pixels.row(1)[0], rgb(1, 1, 1));  // bottom row first in the file
    EXPECT_EQ(decoded->pixels.row(0)[1], rgb(2, 2, 2));
    QByteArray cut = readBytes(std::string(BEAMWRIGHT_EXAMPLES_DIR) + "/ExamplePCB.bmp");
    QByteArray jpeg = readBytes(example());
    std::string cases[] = {
        data("lying-header.bmp"),
        data("zero-size.bmp"),
        data("not-a-picture.jpg"),
        data("no-such-file.bmp"),
        writeBytes(dir, "truncated.jpg", jpeg.left(jpeg.size() / 2)),
        writeBytes(dir, "tail.jpg", jpeg.left(jpeg.size() - 200)),
        writeBytes(dir, "rle-cut.bmp", bmpFile(2000, 2000, 8, 1, 3, QByteArray::fromHex("02010000"))),
        writeBytes(dir, "rle-short.bmp", bmpFile(2, 2, 8, 1, 3, rle.left(5))),
        writeBytes(dir, "offset-past-end.bmp",
                   [] {
                       QByteArray b = bmpFile(2, 2, 24, 0, 0, QByteArray(16, '\0'));
                       put32(b, 10, 5000);
                       return b;
                   }()),
        writeBytes(dir, "pcb-half.bmp", cut.left(16619)),
    };
    for (const std::string& path : cases) {
        auto page = LoadPicture(path, 0, 0);
        ASSERT_FALSE(page.ok()) << path;
        EXPECT_NE(page.error().find(path), std::string::npos) << page.error();
        auto pcb = LoadPcbPicture(path);
        ASSERT_FALSE(pcb.ok()) << path;
        EXPECT_NE(pcb.error().find(path), std::string::npos) << pcb.error();
    }
}

TEST(LoadPicture, TopDownBmpAndRawFileNamesAreRead) {
    QTemporaryDir dir;
    PixelBuffer expected = expectedPattern();
    QByteArray bottomUp = readBytes(data("pattern-24bit.bmp"));
    // The same rows stored from the top, announced by a negative height.
    QByteArray topDown = bottomUp.left(54);
    put32(topDown, 22, std::uint32_t(-3));
    const int stride = 16;
    for (int row = 2; row >= 0; --row) { topDown += bottomUp.mid(54 + row * stride, stride); }
    // A name that is not valid UTF-8, as a file system may hold it.
    const std::string name = (dir.path() + "/top-\xff.bmp").toStdString();
    std::FILE* out = std::fopen(name.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(topDown.constData(), 1, std::size_t(topDown.size()), out);
    std::fclose(out);
    auto loaded = LoadPicture(name, 0, 0);
    ASSERT_TRUE(loaded.ok()) << loaded.error();
    EXPECT_EQ(loaded->pixels.pixels, expected.pixels);
    auto pcb = LoadPcbPicture(name);
    ASSERT_TRUE(pcb.ok()) << pcb.error();
    EXPECT_EQ(pcb->pixels, expected.pixels);
}

TEST(LoadPcbPicture, OneBitBitmapsBeyondQtsAllocationLimitLoad) {
    // 6000 x 6000 at 1 bit: 4.5 MB on disk, 144 MB as 32-bit pixels (Qt's default limit is 128 MB).
    constexpr int kSide = 6000;
    constexpr int kStride = (kSide + 31) / 32 * 4;
    QByteArray rows(kStride * kSide, char(0xFF));  // white
    rows[0] = char(0x7F);                          // bottom-left pixel black
    QTemporaryDir dir;
    std::string path = writeBytes(dir, "large.bmp", bmpFile(kSide, kSide, 1, 0, 2, rows));
    auto board = LoadPcbPicture(path);
    ASSERT_TRUE(board.ok()) << board.error();
    EXPECT_EQ(board->width, kSide);
    EXPECT_EQ(board->row(kSide - 1)[0], rgb(0, 0, 0));
    EXPECT_EQ(board->row(0)[0], rgb(255, 255, 255));
    EXPECT_EQ(LoadPicture(path, 0, 0).error(), kPictureTooLargeMessage);  // the page keeps its limit
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
    const QImage withAlpha = reference.convertToFormat(QImage::Format_ARGB32);
    const QImage opaque = reference.convertToFormat(QImage::Format_RGB32);
    auto read = ReadPicture(path);
    auto board = LoadPcbPicture(path);
    ASSERT_TRUE(read.ok());
    ASSERT_TRUE(board.ok());
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            ASSERT_EQ(read->row(y)[x], withAlpha.pixel(x, y)) << x << "," << y;
            ASSERT_EQ(board->row(y)[x], opaque.pixel(x, y)) << x << "," << y;
        }
    }
}
