#include "PcbPreviewPng.h"

#include <QImage>
#include <QSaveFile>

namespace bw {

Status WritePreviewPng(const std::string& path, const PixelBuffer& picture) {
    if (picture.empty()) {
        return Error{"There is no picture to write to \"" + path + "\""};
    }
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::copy(picture.row(y), picture.row(y) + picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        return Error{"Cannot write the picture \"" + path + "\": " + file.errorString().toStdString()};
    }
    return success();
}

}  // namespace bw
