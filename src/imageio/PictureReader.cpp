#include "PictureReader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <memory>
#include <mutex>
#include <new>
#include <string_view>
#include <vector>

#include "BmpHeader.h"
#include "files/InputFile.h"
#include "files/OutputFile.h"
#include "raster/PictureSizing.h"

namespace bw {

namespace {

// A page picture is at most 2000 x 2000 pixels, so far smaller files; a PCB
// bitmap has no size limit beyond what the memory holds.
constexpr std::size_t kMaxPageFileBytes = std::size_t(256) << 20;
constexpr std::size_t kMaxPcbFileBytes = std::size_t(4096) << 20;
constexpr int kRowsPerBand = 256;

enum class PictureUse { Page, Pcb };

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }
Error damaged(const std::string& path) {
    return Error{"Cannot read the picture " + inQuotes(path) + ": the file is damaged or incomplete"};
}
Error tooLargeForMemory(const std::string& path) {
    return Error{"Cannot read the picture " + inQuotes(path) + ": it is too large for the available memory"};
}

// Converts the picture band by band into 32-bit pixels, so that a 1-bit bitmap
// never exists as a whole 32-bit QImage next to the buffer. A picture already
// in the wanted format is taken over as it is, without a copy. Throws
// std::bad_alloc when memory cannot be allocated.
PixelBuffer toBuffer(QImage image, QImage::Format format) {
    if (image.format() == format && image.bytesPerLine() == qsizetype(image.width()) * 4) {
        auto held = std::make_shared<QImage>(std::move(image));
        auto* bits = reinterpret_cast<std::uint32_t*>(held->bits());  // ours alone: no copy is made
        if (bits == nullptr) { throw std::bad_alloc(); }
        PixelBuffer buffer;
        buffer.width = held->width();
        buffer.height = held->height();
        const auto count = static_cast<std::size_t>(buffer.width) * static_cast<std::size_t>(buffer.height);
        buffer.pixels = PixelStore::adopt(bits, count, std::move(held));
        return buffer;
    }
    PixelBuffer buffer(image.width(), image.height());
    for (int top = 0; top < image.height(); top += kRowsPerBand) {
        const int rows = std::min(kRowsPerBand, image.height() - top);
        QImage band = image.copy(0, top, image.width(), rows).convertToFormat(format);
        if (band.isNull()) { throw std::bad_alloc(); }
        for (int y = 0; y < rows; ++y) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(band.constScanLine(y));
            std::copy(source, source + image.width(), buffer.row(top + y));
        }
    }
    return buffer;
}

// A two-colour picture (a PCB layer) straight from its bits: converting the
// whole image to 32 bits first would only look up the same two colours, in a
// second copy of the picture.
bool isTwoColour(const QImage& image) {
    return (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) &&
           image.colorCount() == 2;
}

PixelBuffer fromTwoColours(const QImage& image, bool opaque) {
    const std::uint32_t alpha = opaque ? 0xFF000000u : 0u;
    const std::uint32_t colours[2] = {image.color(0) | alpha, image.color(1) | alpha};
    const bool firstInHighBit = image.format() == QImage::Format_Mono;
    const int width = image.width();
    const int height = image.height();
    // The eight pixels of every possible byte, worked out once; a row is then
    // built a byte at a time and appended, so the buffer is written only once.
    std::uint32_t eight[256][8];
    for (int byte = 0; byte < 256; ++byte) {
        for (int k = 0; k < 8; ++k) { eight[byte][k] = colours[(byte >> (firstInHighBit ? 7 - k : k)) & 1]; }
    }
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width) + 8);
    for (int y = 0; y < height; ++y) {
        const uchar* bits = image.constScanLine(y);
        for (int x = 0; x < width; x += 8) { std::copy(eight[bits[x >> 3]], eight[bits[x >> 3]] + 8, row.data() + x); }
        pixels.insert(pixels.end(), row.data(), row.data() + width);
    }
    PixelBuffer buffer;
    buffer.pixels = PixelStore(std::move(pixels));
    buffer.width = width;
    buffer.height = height;
    return buffer;
}

// libjpeg fills a truncated file with grey and only warns; Qt passes the
// warning to the message handler. A picture that silently lost its lower half
// must not be engraved, so warnings during a JPEG read count as damage. A
// failed allocation is also only a warning, so it is recognised here.
struct WarningCatcher {
    static inline std::mutex mutex;
    static inline thread_local bool warned = false;
    static inline thread_local bool outOfMemory = false;
    static inline QtMessageHandler previous = nullptr;
    std::lock_guard<std::mutex> lock{mutex};

    WarningCatcher() {
        warned = false;
        outOfMemory = false;
        previous = qInstallMessageHandler(&WarningCatcher::handle);
    }
    ~WarningCatcher() { qInstallMessageHandler(previous); }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg || type == QtCriticalMsg) {
            warned = true;
            outOfMemory = outOfMemory || text.contains(QLatin1String("out of memory")) ||
                          text.contains(QLatin1String("allocation limit"));
            return;
        }
        if (previous) { previous(type, context, text); }
    }
};

// Qt reads rows of a top-down BMP only from the bottom up, so the header's
// height is turned positive in our copy of the file and the decoded picture
// flipped back.
void makeBottomUp(std::string& file) {
    auto height = static_cast<std::int32_t>(
        std::uint32_t(std::uint8_t(file[22])) | std::uint32_t(std::uint8_t(file[23])) << 8 |
        std::uint32_t(std::uint8_t(file[24])) << 16 | std::uint32_t(std::uint8_t(file[25])) << 24);
    auto positive = static_cast<std::uint32_t>(-static_cast<std::int64_t>(height));
    for (int i = 0; i < 4; ++i) { file[22 + i] = static_cast<char>((positive >> (8 * i)) & 0xFF); }
}

// Reads the stored picture after the checks of its header and data. Qt's
// warnings are caught for the whole read, header included, so that they
// neither reach the user's terminal next to our own message nor let a damaged
// JPEG through.
Result<QImage> readChecked(const std::string& path, PictureUse use) {
    auto read = ReadWholeFile(path, use == PictureUse::Page ? kMaxPageFileBytes : kMaxPcbFileBytes);
    if (!read) { return Error{read.error()}; }
    std::string& file = *read;
    QByteArray bytes = QByteArray::fromRawData(file.data(), static_cast<qsizetype>(file.size()));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    WarningCatcher catcher;
    const QByteArray format = QImageReader(&device).format();
    if (format != "bmp" && format != "jpeg") {
        return Error{"Cannot read the picture " + inQuotes(path) + ": not a BMP or JPEG picture"};
    }
    bool flip = false;
    if (format == "bmp") {
        auto header = ParseBmpHeader(file);
        if (!header) { return damaged(path); }
        if (use == PictureUse::Page && (header->width > kMaxPictureSide || header->height > kMaxPictureSide)) {
            return Error{kPictureTooLargeMessage};
        }
        if (!BmpPixelsComplete(*header, file)) { return damaged(path); }
        if (header->topDown && header->infoSize != 12) {
            makeBottomUp(file);  // `bytes` shares the string's storage
            flip = true;
        }
    }
    device.seek(0);
    QImageReader reader(&device, format);
    const QSize stored = reader.size();  // from the header only
    if (use == PictureUse::Page && (stored.width() > kMaxPictureSide || stored.height() > kMaxPictureSide)) {
        return Error{kPictureTooLargeMessage};
    }
    if (!stored.isValid() || stored.isEmpty()) {
        return Error{"Cannot read the picture " + inQuotes(path) + ": the picture has no valid size"};
    }
    if (use == PictureUse::Pcb) { reader.setAllocationLimit(0); }  // only the memory itself limits a PCB
    QImage image = reader.read();
    if (image.isNull()) {
        if (catcher.outOfMemory) { return tooLargeForMemory(path); }
        return Error{"Cannot read the picture " + inQuotes(path) + ": " + reader.errorString().toStdString()};
    }
    if ((format == "jpeg" && WarningCatcher::warned) || image.size() != stored) { return damaged(path); }
    if (flip) { image = image.mirrored(false, true); }
    if (image.isNull()) { return tooLargeForMemory(path); }
    return image;
}

}  // namespace

Result<PixelBuffer> ReadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return Error{"Cannot read the picture \"" + path + "\": " + reader.errorString().toStdString()};
    }
    if (isTwoColour(image)) { return fromTwoColours(image, false); }
    return toBuffer(std::move(image), QImage::Format_ARGB32);
}

Result<LoadedPicture> LoadPicture(const std::string& path, int width, int height) {
    auto read = readChecked(path, PictureUse::Page);
    if (!read) { return Error{read.error()}; }
    QImage image = std::move(read).value().convertToFormat(QImage::Format_RGB32);
    LoadedPicture loaded;
    loaded.storedWidth = image.width();
    loaded.storedHeight = image.height();
    if (width > 0 && height > 0 && image.size() != QSize(width, height)) {
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (image.isNull()) { return Error{"Cannot resample the picture " + inQuotes(path) + ": out of memory"}; }
    }
    loaded.pixels = toBuffer(std::move(image), QImage::Format_RGB32);
    return loaded;
}

std::optional<PictureDimensions> ReadStoredPictureSize(const std::string& path) {
    WarningCatcher catcher;  // a damaged header is reported by the full read, not here
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "jpeg") { return std::nullopt; }
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty()) { return std::nullopt; }
    return PictureDimensions{stored.width(), stored.height()};
}

Result<PixelBuffer> LoadPcbPicture(const std::string& path) {
    try {
        auto read = readChecked(path, PictureUse::Pcb);
        if (!read) { return Error{read.error()}; }
        if (isTwoColour(*read)) { return fromTwoColours(*read, true); }
        return toBuffer(std::move(read).value(), QImage::Format_RGB32);
    } catch (const std::bad_alloc&) { return tooLargeForMemory(path); }
}

Result<std::string> EncodePicturePng(const PixelBuffer& picture) {
    if (picture.empty()) { return Error{"There is no picture to write"}; }
    QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                 picture.width * 4, QImage::Format_RGB32);
    QByteArray png;
    QBuffer device(&png);
    if (!device.open(QIODevice::WriteOnly) || !image.save(&device, "PNG")) {
        return Error{"Cannot encode the picture as PNG"};
    }
    return png.toStdString();
}

Status WritePicturePng(const std::string& path, const PixelBuffer& picture) {
    auto png = EncodePicturePng(picture);
    if (!png) { return Error{png.error() + " to \"" + path + "\""}; }
    return WriteWholeFile(path, *png);
}

}  // namespace bw
