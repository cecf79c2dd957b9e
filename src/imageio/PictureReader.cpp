#include "PictureReader.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <mutex>

#include "BmpHeader.h"
#include "raster/PictureSizing.h"

namespace bw {

namespace {

PixelBuffer toBuffer(const QImage& image) {
    PixelBuffer buffer(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(source, source + image.width(), buffer.row(y));
    }
    return buffer;
}

// A two-colour picture (a PCB layer) straight from its bits: converting the
// whole image to 32 bits first would only look up the same two colours, in a
// second copy of the picture.
bool isTwoColour(const QImage& image) {
    return (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB) && image.colorCount() == 2;
}

PixelBuffer fromTwoColours(const QImage& image) {
    const std::uint32_t colours[2] = {image.color(0), image.color(1)};
    const bool firstInHighBit = image.format() == QImage::Format_Mono;
    PixelBuffer buffer(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const uchar* bits = image.constScanLine(y);
        std::uint32_t* row = buffer.row(y);
        for (int x = 0; x < image.width(); ++x) {
            int shift = firstInHighBit ? 7 - (x & 7) : x & 7;
            row[x] = colours[(bits[x >> 3] >> shift) & 1];
        }
    }
    return buffer;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// libjpeg fills a truncated file with grey and only warns; Qt passes the
// warning to the message handler. A picture that silently lost its lower half
// must not be engraved, so warnings during a JPEG read count as damage.
struct WarningCatcher {
    static inline std::mutex mutex;
    static inline thread_local bool warned = false;
    static inline QtMessageHandler previous = nullptr;
    std::lock_guard<std::mutex> lock{mutex};

    WarningCatcher() {
        warned = false;
        previous = qInstallMessageHandler(&WarningCatcher::handle);
    }
    ~WarningCatcher() { qInstallMessageHandler(previous); }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg || type == QtCriticalMsg) {
            warned = true;
            return;
        }
        if (previous) { previous(type, context, text); }
    }
};

}  // namespace

Result<PixelBuffer> ReadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return Error{"Cannot read the picture \"" + path + "\": " + reader.errorString().toStdString()};
    }
    if (isTwoColour(image)) { return fromTwoColours(image); }
    return toBuffer(image.convertToFormat(QImage::Format_ARGB32));
}

namespace {

// Reads the stored picture after the checks of its header. Qt's warnings are
// caught for the whole read, header included, so that they neither reach the
// user's terminal next to our own message nor let a damaged JPEG through.
Result<QImage> readChecked(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (!QFileInfo(name).isFile()) { return Error{"Cannot open the picture " + quoted(path) + ": no such file"}; }
    WarningCatcher catcher;
    QImageReader reader(name);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "jpeg") {
        return Error{"Cannot read the picture " + quoted(path) + ": not a BMP or JPEG picture"};
    }
    if (format == "bmp") {
        auto header = ReadBmpHeader(path);
        if (header && (header->width > kMaxPictureSide || header->height > kMaxPictureSide)) {
            return Error{kPictureTooLargeMessage};
        }
        if (!header || QFileInfo(name).size() < header->requiredBytes) {
            return Error{"Cannot read the picture " + quoted(path) + ": the file is damaged or incomplete"};
        }
    }
    const QSize stored = reader.size();  // from the header only
    if (stored.width() > kMaxPictureSide || stored.height() > kMaxPictureSide) { return Error{kPictureTooLargeMessage}; }
    if (!stored.isValid() || stored.isEmpty()) {
        return Error{"Cannot read the picture " + quoted(path) + ": the picture has no valid size"};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return Error{"Cannot read the picture " + quoted(path) + ": " + reader.errorString().toStdString()};
    }
    if ((format == "jpeg" && WarningCatcher::warned) || image.size() != stored) {
        return Error{"Cannot read the picture " + quoted(path) + ": the file is damaged or incomplete"};
    }
    return image;
}

}  // namespace

Result<LoadedPicture> LoadPicture(const std::string& path, int width, int height) {
    auto read = readChecked(path);
    if (!read) { return Error{read.error()}; }
    QImage image = std::move(read).value().convertToFormat(QImage::Format_RGB32);
    LoadedPicture loaded;
    loaded.storedWidth = image.width();
    loaded.storedHeight = image.height();
    if (width > 0 && height > 0 && image.size() != QSize(width, height)) {
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (image.isNull()) { return Error{"Cannot resample the picture " + quoted(path) + ": out of memory"}; }
    }
    loaded.pixels = toBuffer(image);
    return loaded;
}

Status WritePicturePng(const std::string& path, const PixelBuffer& picture) {
    if (picture.empty()) { return Error{"There is no picture to write to \"" + path + "\""}; }
    QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                 picture.width * 4, QImage::Format_RGB32);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        return Error{"Cannot write \"" + path + "\": " + file.errorString().toStdString()};
    }
    return success();
}

}  // namespace bw
