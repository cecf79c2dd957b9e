#include "PictureReader.h"

#include <QImage>
#include <QImageReader>

namespace bw {

Result<PixelBuffer> ReadPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return Error{"Cannot read the picture \"" + path + "\": " + reader.errorString().toStdString()};
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    PixelBuffer buffer(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(source, source + image.width(), buffer.row(y));
    }
    return buffer;
}

}  // namespace bw
