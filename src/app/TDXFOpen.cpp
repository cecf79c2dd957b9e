#include "TDXFOpen.h"

#include <QMutexLocker>

#include "DrawingRenderer.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfTexts.h"
#include "i18n/MessageTexts.h"

namespace bw::app {

TDXFOpen::TDXFOpen(JobHost& host, JobContext& ctx, SharedBitmap& workBitmap, Mode mode, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), workBitmap_(workBitmap), mode_(mode), decimalSeparator_(decimalSeparator) {}

Status TDXFOpen::work() {
    // The view's size and the segment length come from the window first.
    if (Status asked = exchange(JobCode::DxfParameters); !asked) { return asked; }
    if (mode_ == Mode::Load) {
        auto status = [this](std::string_view text) { showStatus(std::string(text)); };
        auto loaded = LoadDxfFile(ctx_, decimalSeparator_, status);
        // A failed or empty load changed nothing; the error names the file.
        if (!loaded) { return Error{loaded.error()}; }
    }
    if (Status drawn = drawPreview(); !drawn) { return drawn; }
    if (Status shown = exchange(JobCode::DxfPreviewReady); !shown) { return shown; }
    if (mode_ == Mode::Load) {
        const DrawingBox& box = ctx_.dxf.drawingBox;
        showStatus(DxfSizeText(box.width(), box.height(), decimalSeparator_));
    }
    return success();
}

Status TDXFOpen::drawPreview() {
    const std::string text(messageText(Message::DrawingPreview, ctx_.languageIndex));
    showStatus(text + ": 0%");
    QMutexLocker canvas(&workBitmap_.canvasLock);
    DrawDrawing(ctx_, workBitmap_.image, ctx_.params.sourceWidthPx, ctx_.params.sourceHeightPx,
                [&](std::size_t index, std::size_t count) { showStatus(DxfPercentText(text, index, count)); });
    return success();
}

}  // namespace bw::app
