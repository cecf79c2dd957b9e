#include "pages/dxf/DxfController.h"

#include <utility>

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>

#include "dxf/DxfGenerator.h"
#include "dxf/DxfJobValues.h"
#include "dxf/DxfView.h"
#include "fields/DecimalSeparator.h"
#include "fields/FieldReader.h"
#include "help/HelpMode.h"
#include "job/JobSteps.h"
#include "jobs/DxfGenerateJob.h"
#include "jobs/DxfLoadJob.h"
#include "jobs/JobExchange.h"
#include "jobs/JobRunner.h"
#include "jobs/SharedBitmap.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramText.h"
#include "output/ToolpathPanel.h"
#include "pages/dxf/DxfPage.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/tools/ToolsPage.h"

namespace bw::app {

namespace {

// The example drawing is offered only in its shipped form.
constexpr qint64 kExampleDrawingSize = 207349;

}  // namespace

DxfController::DxfController(JobContext& ctx, DxfPage& page, ToolsPage& tools, GCodeSettingsPage& gcode,
                             JobRunner& jobs, JobExchange& exchange, ProgramDelivery& delivery,
                             SharedBitmap& workBitmap, HelpMode& help, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      page_(page),
      tools_(tools),
      gcode_(gcode),
      jobs_(jobs),
      exchange_(exchange),
      delivery_(delivery),
      workBitmap_(workBitmap),
      help_(help) {
    askOpenFileName = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(page_.window(), QString(), openFolder_, filter);
    };
    exchange_.registerCode(JobCode::DxfParameters, [this] { return fillParameters(); });
    exchange_.registerCode(JobCode::DxfPreviewReady, [this] { return showPreview(); });
    exchange_.registerCode(JobCode::DxfProgramReady, [this] { return showProgramView(); });
    connect(page_.SBODXF, &QPushButton::clicked, this, &DxfController::open);
    connect(page_.SBDXF, &QPushButton::clicked, this, &DxfController::generate);
    connect(page_.SBZGD, &QPushButton::clicked, this, &DxfController::save);
    connect(page_.SBKopiujD, &QPushButton::clicked, this, &DxfController::copy);
    connect(page_.CBDotnij, &QCheckBox::clicked, this, &DxfController::updatePassCount);
    page_.EWarstwa->installEventFilter(this);
    page_.EGrubosc->installEventFilter(this);

    DrawingView* view = page_.I1;
    connect(view, &DrawingView::leftPressed, this, [this](QPoint p) {
        if (viewAcceptsInput()) { ViewMouseDown(ctx_.dxf.view, p.x(), p.y()); }
    });
    connect(view, &DrawingView::mouseMoved, this, &DxfController::mouseMoved);
    connect(view, &DrawingView::leftReleased, this, [this] { ViewMouseUp(ctx_.dxf.view); });
    connect(view, &DrawingView::wheelStep, this, &DxfController::wheelStep);
    resizeRedraw_.setSingleShot(true);
    resizeRedraw_.setInterval(200);
    connect(view, &DrawingView::resized, &resizeRedraw_, qOverload<>(&QTimer::start));
    connect(&resizeRedraw_, &QTimer::timeout, this, [this] {
        // A drawing still at its fitted scale is fitted to the new size; one the user has zoomed
        // or panned keeps scale and pan. Only a view without a running job is redrawn (the next
        // pan or zoom catches up).
        const QSize drawn = page_.I1->picture().size();
        if (drawingShown_ && !jobs_.busy() && drawn != page_.I1->size()) {
            DxfView& shown = ctx_.dxf.view;
            if (shown.viewPanX == 0 && shown.viewPanY == 0 &&
                shown.viewScale == FitScale(ctx_.dxf.drawingBox, drawn.width(), drawn.height())) {
                shown.viewScale = FitScale(ctx_.dxf.drawingBox, page_.I1->width(), page_.I1->height());
            }
            shown.redrawBusy = true;
            startRedraw();
        }
    });
    // A cancelled load leaves the drawing it would have replaced (the view still shows it).
    connect(&jobs_, &JobRunner::jobCancelled, this, [this] {
        if (beforeLoad_) { ctx_.dxf = std::move(*beforeLoad_); }
    });
    connect(&jobs_, &JobRunner::jobEnded, this, [this] { beforeLoad_.reset(); });
    // Whatever way a redraw ended, the view takes input again.
    connect(&jobs_, &JobRunner::jobEnded, this, [this] {
        if (ctx_.dxf.view.redrawBusy) { RedrawFinished(ctx_.dxf.view); }
    });
}

bool DxfController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && (watched == page_.EWarstwa || watched == page_.EGrubosc)) {
        updatePassCount();
    }
    return QObject::eventFilter(watched, event);
}

void DxfController::pageShown(const QString& programFolder) {
    updatePassCount();
    if (exampleLoaded_) { return; }
    const QFileInfo example(programFolder + "/ExampleDXF.dxf");
    if (!example.exists()) { return; }
    exampleLoaded_ = true;  // offered once per run, whatever its size
    if (example.size() == kExampleDrawingSize) { openDrawing(example.absoluteFilePath()); }
}

void DxfController::updatePassCount() {
    const std::int64_t count =
        UpdatePassCount(page_.EGrubosc->text().toStdString(), page_.EWarstwa->text().toStdString(),
                        page_.CBDotnij->isChecked(), systemDecimalSeparator());
    page_.LPrzejsciaD->setText(QString::number(count));
}

bool DxfController::openDrawing(const QString& path) {
    if (jobs_.refuseWhileBusy()) { return false; }
    beforeLoad_ = ctx_.dxf;
    ctx_.dxf.dxfFileName = QFile::encodeName(path).toStdString();
    return jobs_.start(new DxfLoadJob(exchange_, ctx_, workBitmap_, DxfLoadJob::Mode::Load, systemDecimalSeparator()));
}

void DxfController::open() {
    if (help_.ConsumeHelpClick(page_.SBODXF) || jobs_.refuseWhileBusy()) { return; }
    const QString path = askOpenFileName(QStringLiteral("DXF File (*.dxf)"));
    if (path.isEmpty()) { return; }
    openFolder_ = QFileInfo(path).absolutePath();
    openDrawing(path);
}

void DxfController::generate() {
    if (help_.ConsumeHelpClick(page_.SBDXF) || jobs_.refuseWhileBusy()) { return; }
    ApplyDxfStartPoint(ctx_);
    jobs_.start(new DxfGenerateJob(exchange_, ctx_));
}

Status DxfController::fillParameters() {
    auto segment = readRanged(page_.EProstki, page_.Label14, FieldRanges::SegmentLength);
    if (!segment) { return Error{segment.error()}; }
    auto step = readRanged(tools_.EEkstruzja, tools_.Label13, FieldRanges::DirAxisStep);
    if (!step) { return Error{step.error()}; }
    auto focus = readDecimal(tools_.EOgniskowa, tools_.Label12);
    if (!focus) { return Error{focus.error()}; }
    auto layer = readDecimal(page_.EWarstwa, page_.Label17);
    if (!layer) { return Error{layer.error()}; }
    auto thickness = readRanged(page_.EGrubosc, page_.Label16, FieldRanges::Thickness);
    if (!thickness) { return Error{thickness.error()}; }
    auto pwmMax = readIntegerAsFixed(gcode_.EMWPWM, gcode_.LMWPWM);
    if (!pwmMax) { return Error{pwmMax.error()}; }
    if (auto inRange = readRanged(gcode_.EMWPWM, gcode_.LMWPWM, FieldRanges::PwmMax); !inRange) {
        return Error{inRange.error()};
    }
    FillDxfParameters(ctx_.params, {.viewWidthPx = page_.I1->width(),
                                    .viewHeightPx = page_.I1->height(),
                                    .segmentLength = *segment,
                                    .dirAxisStep = *step,
                                    .focusZ = *focus,
                                    .layerDepth = *layer,
                                    .materialThickness = *thickness,
                                    .pwmMax = *pwmMax,
                                    .workFeedText = page_.ESzRD->text().toStdString(),
                                    .rapidFeedText = page_.ESzJD->text().toStdString(),
                                    .finishingPass = page_.CBDotnij->isChecked(),
                                    .readAllEntities = page_.CBPolilinie->isChecked(),
                                    .headerText = readProgramText(gcode_.REHeaderU),
                                    .footerText = readProgramText(gcode_.REFooterU)});
    return success();
}

Status DxfController::showPreview() {
    // The worker has released the canvas before asking; take a copy the view keeps.
    page_.I1->setPicture(workBitmap_.image.copy());
    page_.SBDXF->setEnabled(true);
    drawingShown_ = true;
    return success();
}

Status DxfController::showProgramView() {
    page_.PSciezkaD->programGenerated(showProgram(page_.RE1, std::exchange(ctx_.programLines, {})), gcode_);
    page_.SBZGD->setEnabled(true);
    if (programShown) { programShown(page_.RE1->lineCount()); }
    return success();
}

void DxfController::save() {
    if (help_.ConsumeHelpClick(page_.SBZGD)) { return; }
    delivery_.save(viewFileText(page_.RE1), gcode_.RGRozszerzenie->itemIndex(),
                   QFile::decodeName(QByteArray::fromStdString(ctx_.dxf.dxfFileName)));
}

void DxfController::copy() {
    if (help_.ConsumeHelpClick(page_.SBKopiujD)) { return; }
    delivery_.copy(QString::fromStdString(viewFileText(page_.RE1)));
}

bool DxfController::viewAcceptsInput() const { return drawingShown_ && (!jobs_.busy() || ctx_.dxf.view.redrawBusy); }

void DxfController::startRedraw() {
    auto* job = new DxfLoadJob(exchange_, ctx_, workBitmap_, DxfLoadJob::Mode::Redraw, systemDecimalSeparator());
    if (!jobs_.start(job)) { RedrawFinished(ctx_.dxf.view); }
}

void DxfController::mouseMoved(QPoint position) {
    if (!viewAcceptsInput()) { return; }
    if (ViewMouseMove(ctx_.dxf.view, position.x(), position.y())) { startRedraw(); }
}

void DxfController::wheelStep(int step) {
    if (!viewAcceptsInput()) { return; }
    if (ViewWheel(ctx_.dxf.view, step > 0, page_.I1->height())) { startRedraw(); }
}

}  // namespace bw::app
