#include "BmpHeader.h"

#include <QFile>

namespace bw {

namespace {

std::uint32_t u32(const QByteArray& b, int at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t u16(const QByteArray& b, int at) {
    return static_cast<std::uint16_t>(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

}  // namespace

std::optional<BmpHeader> ReadBmpHeader(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) { return std::nullopt; }
    QByteArray head = file.read(30);
    if (head.size() < 26 || head[0] != 'B' || head[1] != 'M') { return std::nullopt; }
    std::uint32_t pixelOffset = u32(head, 10);
    std::uint32_t infoSize = u32(head, 14);
    BmpHeader header;
    int bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
        header.width = u16(head, 18);
        header.height = u16(head, 20);
        bits = u16(head, 24);
    } else {
        if (head.size() < 30) { return std::nullopt; }
        header.width = static_cast<std::int32_t>(u32(head, 18));
        header.height = static_cast<std::int32_t>(u32(head, 22));
        bits = u16(head, 28);
        QByteArray more = file.read(4);
        if (more.size() == 4) { compression = u32(more, 0); }
    }
    if (header.height < 0) { header.height = -header.height; }
    // Uncompressed rows (plain or with colour masks) have a known length.
    constexpr std::int64_t kNoLargerSide = std::int64_t(1) << 20;  // far beyond the page's limit; keeps the product small
    if ((compression == 0 || compression == 3) && header.width >= 0 && header.width <= kNoLargerSide &&
        header.height <= kNoLargerSide && bits > 0) {
        std::int64_t stride = ((header.width * bits + 31) / 32) * 4;
        header.requiredBytes = std::int64_t(pixelOffset) + stride * header.height;
    }
    return header;
}

}  // namespace bw
