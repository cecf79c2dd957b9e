#include "jobs/DxfLoadJob.h"

#include <QMutexLocker>

#include "dxf/DxfReader.h"
#include "dxf/DxfTexts.h"
#include "i18n/MessageTexts.h"
#include "job/JobSteps.h"
#include "pages/dxf/DrawingRenderer.h"

namespace bw::app {

DxfLoadJob::DxfLoadJob(JobHost& host, JobContext& ctx, SharedBitmap& workBitmap, Mode mode, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), workBitmap_(workBitmap), mode_(mode), decimalSeparator_(decimalSeparator) {}

Status DxfLoadJob::work() {
    // The view's size and the segment length come from the window first.
    if (Status asked = exchange(JobCode::DxfParameters); !asked) { return asked; }
    if (mode_ == Mode::Load) {
        auto status = [this](std::string_view text) { showStatus(std::string(text)); };
        auto loaded = LoadDxfFile(ctx_, decimalSeparator_, status);
        // A failed or empty load changed nothing; the error names the file.
        if (!loaded) { return Error{loaded.error()}; }
        skippedText_ = skippedText(*loaded);
        // A file with nothing to cut keeps the previous drawing; the message says why.
        if (loaded->entities == 0) {
            std::string why =
                ctx_.dxf.dxfFileName + ": " + std::string(DxfNothingToCutText(ctx_.params.readAllEntities));
            return Error{skippedText_.empty() ? why : why + ". " + skippedText_};
        }
    }
    if (Status drawn = drawPreview(); !drawn) { return drawn; }
    if (Status shown = exchange(JobCode::DxfPreviewReady); !shown) { return shown; }
    if (mode_ == Mode::Load) {
        const DrawingBox& box = ctx_.dxf.drawingBox;
        std::string size = DxfSizeText(box.width(), box.height(), decimalSeparator_);
        showStatus(skippedText_.empty() ? size : size + "   " + skippedText_);
    }
    return success();
}

std::string DxfLoadJob::skippedText(const DxfLoadSummary& loaded) const {
    // The hint to the check box only helps when the line scanner did the reading.
    std::string_view hint =
        ctx_.params.readAllEntities ? std::string_view{} : messageText(Message::SkippedHint, ctx_.languageIndex);
    return DxfSkippedText(loaded.skipped, messageText(Message::Skipped, ctx_.languageIndex), hint);
}

Status DxfLoadJob::drawPreview() {
    const std::string text(messageText(Message::DrawingPreview, ctx_.languageIndex));
    showStatus(text + ": 0%");
    QMutexLocker canvas(&workBitmap_.canvasLock);
    DrawDrawing(ctx_, workBitmap_.image, ctx_.params.sourceWidthPx, ctx_.params.sourceHeightPx,
                [&](std::size_t index, std::size_t count) { showStatus(DxfPercentText(text, index, count)); });
    return success();
}

}  // namespace bw::app
