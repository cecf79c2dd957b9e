#include "PcbJobs.h"

#include <QPainter>

#include "job/JobSteps.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbOutline.h"
#include "pcb/PcbRaster.h"

namespace bw::app {

QImage paintClasses(const ClassLayer& layer, const ClassIndices& indices) {
    const PixelBuffer pixels = ToPixels(RenderClassMap(layer, indices));
    if (pixels.empty()) { return {}; }
    return QImage(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                  qsizetype(pixels.width) * 4, QImage::Format_RGB32)
        .copy();
}

TPCBOpen::TPCBOpen(JobHost& host, JobContext& ctx, const PixelBuffer& picture, PcbJobOutput& output)
    : WorkerJob(host), ctx_(ctx), picture_(picture), output_(output) {}

Status TPCBOpen::work() {
    if (Status asked = exchange(JobCode::PcbParameters); !asked) { return asked; }
    if (Status loaded = LoadPcbBitmap(ctx_.pcb, picture_); !loaded) { return loaded; }
    output_.picture = paintClasses(ctx_.pcb.pcbClassMap, kLoadedClasses);
    return exchange(JobCode::PcbPictureReady);
}

TPCBOBRYSR::TPCBOBRYSR(JobHost& host, JobContext& ctx, PcbJobOutput& output)
    : WorkerJob(host), ctx_(ctx), output_(output) {}

Status TPCBOBRYSR::work() {
    if (Status asked = exchange(JobCode::PcbParameters); !asked) { return asked; }
    auto result = GeneratePcbRaster(ctx_, [this](std::string_view text) { showStatus(std::string(text)); });
    if (!result) { return Error{result.error()}; }
    // The plain classification with a blue dot of the beam's diameter at every exposed position.
    QImage picture = paintClasses(ctx_.pcb.pcbClassMap, kPlainClasses);
    if (!picture.isNull()) {
        QPainter painter(&picture);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 255));
        const int r = result->beamRadiusPx;
        for (const PixelPosition& centre : result->exposed) {
            painter.drawEllipse(QPoint(centre.x, centre.y), r, r);
        }
    }
    output_.picture = std::move(picture);
    return exchange(JobCode::PcbRasterReady);
}

TPCBOBRYSO::TPCBOBRYSO(JobHost& host, JobContext& ctx, PcbJobOutput& output, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), output_(output), decimalSeparator_(decimalSeparator) {}

Status TPCBOBRYSO::work() {
    if (Status asked = exchange(JobCode::PcbParameters); !asked) { return asked; }
    auto result = GeneratePcbOutline(ctx_, decimalSeparator_, [this](std::string_view text) { showStatus(std::string(text)); });
    if (!result) { return Error{result.error()}; }
    if (Status shown = exchange(JobCode::PcbOutlineReady); !shown) { return shown; }
    output_.picture = paintClasses(ctx_.pcb.outlineClassMap, kOutlinePreviewClasses);
    return exchange(JobCode::PcbPictureReady);
}

}  // namespace bw::app
