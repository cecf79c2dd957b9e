#include "jobs/PcbJobs.h"

#include <QPainter>

#include <utility>

#include "PictureReader.h"

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

PcbLoadJob::PcbLoadJob(JobHost& host, JobContext& ctx, std::string path, PcbJobOutput& output)
    : WorkerJob(host), ctx_(ctx), path_(std::move(path)), output_(output) {}

Status PcbLoadJob::work() {
    if (Status asked = exchange(JobCode::PcbParameters); !asked) { return asked; }
    Result<PixelBuffer> picture = LoadPcbPicture(path_);
    if (!picture) { return Error{picture.error()}; }
    if (Status loaded = LoadPcbBitmap(ctx_.pcb, *picture); !loaded) { return loaded; }
    output_.picture = paintClasses(ctx_.pcb.pcbClassMap, kLoadedClasses);
    return exchange(JobCode::PcbPictureReady);
}

PcbRasterJob::PcbRasterJob(JobHost& host, JobContext& ctx, PcbJobOutput& output)
    : WorkerJob(host), ctx_(ctx), output_(output) {}

Status PcbRasterJob::work() {
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
        for (const PixelPosition& centre : result->exposed) { painter.drawEllipse(QPoint(centre.x, centre.y), r, r); }
    }
    output_.picture = std::move(picture);
    return exchange(JobCode::PcbRasterReady);
}

PcbOutlineJob::PcbOutlineJob(JobHost& host, JobContext& ctx, PcbJobOutput& output, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), output_(output), decimalSeparator_(decimalSeparator) {}

Status PcbOutlineJob::work() {
    if (Status asked = exchange(JobCode::PcbParameters); !asked) { return asked; }
    auto result =
        GeneratePcbOutline(ctx_, decimalSeparator_, [this](std::string_view text) { showStatus(std::string(text)); });
    if (!result) { return Error{result.error()}; }
    if (Status shown = exchange(JobCode::PcbOutlineReady); !shown) { return shown; }
    output_.picture = paintClasses(ctx_.pcb.outlineClassMap, kOutlinePreviewClasses);
    return exchange(JobCode::PcbPictureReady);
}

}  // namespace bw::app
