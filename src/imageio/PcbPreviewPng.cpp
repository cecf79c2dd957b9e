#include "PcbPreviewPng.h"

#include <QBuffer>
#include <QImage>

#include "files/OutputFile.h"

namespace bw {

Result<std::string> EncodePreviewPng(const PixelBuffer& picture) {
    if (picture.empty()) { return Error{"There is no picture to write"}; }
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) { return Error{"Not enough memory for the preview picture"}; }
    for (int y = 0; y < picture.height; ++y) {
        std::copy(picture.row(y), picture.row(y) + picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    QByteArray png;
    QBuffer device(&png);
    if (!device.open(QIODevice::WriteOnly) || !image.save(&device, "PNG")) {
        return Error{"Cannot encode the preview picture as PNG"};
    }
    return png.toStdString();
}

Status WritePreviewPng(const std::string& path, const PixelBuffer& picture) {
    auto png = EncodePreviewPng(picture);
    if (!png) { return Error{png.error() + " (\"" + path + "\")"}; }
    return WriteWholeFile(path, *png);
}

}  // namespace bw
