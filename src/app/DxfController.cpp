#include "DxfController.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>

#include "DecimalSeparator.h"
#include "DxfPage.h"
#include "FieldReader.h"
#include "GCodeSettingsPage.h"
#include "JobExchange.h"
#include "JobRunner.h"
#include "ProgramDelivery.h"
#include "ProgramText.h"
#include "SharedBitmap.h"
#include "TDXFGCODE.h"
#include "TDXFOpen.h"
#include "ToolsPage.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfView.h"

namespace bw::app {

namespace {

// The example drawing is offered only in its shipped form.
constexpr qint64 kExampleDrawingSize = 207349;

}  // namespace

DxfController::DxfController(JobContext& ctx, DxfPage& page, ToolsPage& tools, GCodeSettingsPage& gcode,
                             JobRunner& jobs, JobExchange& exchange, ProgramDelivery& delivery,
                             SharedBitmap& workBitmap, QObject* parent)
    : QObject(parent),
      ctx_(ctx),
      page_(page),
      tools_(tools),
      gcode_(gcode),
      jobs_(jobs),
      exchange_(exchange),
      delivery_(delivery),
      workBitmap_(workBitmap) {
    askOpenFileName = [this](const QString& filter) {
        return QFileDialog::getOpenFileName(page_.window(), QString(), QString(), filter);
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
        // Scale and pan stay; only a view without a running job is redrawn (the next pan or zoom catches up).
        if (drawingShown_ && !jobs_.busy() && page_.I1->picture().size() != page_.I1->size()) {
            ctx_.dxf.view.redrawBusy = true;
            startRedraw();
        }
    });
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
    const std::int64_t count = UpdatePassCount(page_.EGrubosc->text().toStdString(),
                                               page_.EWarstwa->text().toStdString(), page_.CBDotnij->isChecked(),
                                               systemDecimalSeparator());
    page_.LPrzejsciaD->setText(QString::number(count));
}

bool DxfController::openDrawing(const QString& path) {
    if (jobs_.refuseWhileBusy()) { return false; }
    ctx_.dxf.dxfFileName = QFile::encodeName(path).toStdString();
    return jobs_.start(new TDXFOpen(exchange_, ctx_, workBitmap_, TDXFOpen::Mode::Load, systemDecimalSeparator()));
}

void DxfController::open() {
    if (jobs_.refuseWhileBusy()) { return; }
    const QString path = askOpenFileName(QStringLiteral("DXF File (*.dxf)"));
    if (!path.isEmpty()) { openDrawing(path); }
}

void DxfController::generate() {
    if (jobs_.refuseWhileBusy()) { return; }
    ApplyDxfStartPoint(ctx_);
    jobs_.start(new TDXFGCODE(exchange_, ctx_));
}

Status DxfController::fillParameters() {
    JobParameters& p = ctx_.params;
    auto segment = readDecimal(page_.EProstki, page_.Label14);
    if (!segment) { return Error{segment.error()}; }
    auto step = readDecimal(tools_.EEkstruzja, tools_.Label13);
    if (!step) { return Error{step.error()}; }
    auto focus = readDecimal(tools_.EOgniskowa, tools_.Label12);
    if (!focus) { return Error{focus.error()}; }
    auto layer = readDecimal(page_.EWarstwa, page_.Label17);
    if (!layer) { return Error{layer.error()}; }
    auto thickness = readDecimal(page_.EGrubosc, page_.Label16);
    if (!thickness) { return Error{thickness.error()}; }
    auto pwmMax = readIntegerAsFixed(gcode_.EMWPWM, gcode_.LMWPWM);
    if (!pwmMax) { return Error{pwmMax.error()}; }
    p.sourceWidthPx = page_.I1->width();
    p.sourceHeightPx = page_.I1->height();
    p.segmentLength = *segment;
    p.dirAxisStep = *step;
    p.focusZ = *focus;
    p.layerDepth = *layer;
    p.materialThickness = *thickness;
    p.workFeedText = page_.ESzRD->text().toStdString();
    p.rapidFeedText = page_.ESzJD->text().toStdString();
    p.finishingPass = page_.CBDotnij->isChecked();
    p.readAllEntities = page_.CBPolilinie->isChecked();
    p.pwmMax = *pwmMax;
    p.headerText = readProgramText(gcode_.REHeaderU);
    p.footerText = readProgramText(gcode_.REFooterU);
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
    showProgram(page_.RE1, ctx_.programLines);
    page_.SBZGD->setEnabled(true);
    return success();
}

void DxfController::save() { delivery_.save(viewFileText(page_.RE1), gcode_.RGRozszerzenie->itemIndex()); }

void DxfController::copy() { delivery_.copy(page_.RE1->toPlainText()); }

bool DxfController::viewAcceptsInput() const {
    return drawingShown_ && (!jobs_.busy() || ctx_.dxf.view.redrawBusy);
}

void DxfController::startRedraw() {
    auto* job = new TDXFOpen(exchange_, ctx_, workBitmap_, TDXFOpen::Mode::Redraw, systemDecimalSeparator());
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
