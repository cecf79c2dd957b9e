// Picture loading for the BMP/JPG page and the PCB page on arbitrary file
// contents: header and data checks, decoding, resampling, the tone chain and
// the PCB classification must refuse or succeed, never crash or hang. Qt
// decodes; our checks and buffers are what is instrumented.

#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

#include "PictureReader.h"
#include "pcb/PcbBitmapLoader.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.filePath("input");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) { return 0; }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    // The PCB path has no size limit; a tiny file may claim a picture of gigabytes,
    // which the memory-limited fuzzer cannot tell from a crash, so only modest claims run.
    if (QImageReader(path).size().width() * qint64(QImageReader(path).size().height()) <= (1 << 22)) {
        auto board = bw::LoadPcbPicture(path.toStdString());
        bw::PcbState pcb;
        if (board && !bw::LoadPcbBitmap(pcb, *board)) { __builtin_trap(); }
    }
    auto loaded = bw::LoadPicture(path.toStdString(), 0, 0);
    if (!loaded) { return 0; }
    bw::PixelBuffer view = bw::ProcessTones(loaded->pixels, bw::ToneMode::Dithering, 128);
    bw::ApplyAdjustments(view, bw::ToneAdjustments{150, -20, 30});
    if (loaded->pixels.width * loaded->pixels.height <= 4096) {
        auto resampled = bw::LoadPicture(path.toStdString(), 37, 23);
        if (resampled && (resampled->pixels.width != 37 || resampled->pixels.height != 23)) { __builtin_trap(); }
    }
    return 0;
}
