#include "DxfController.h"

#include <QEvent>

#include "DecimalSeparator.h"
#include "DxfPage.h"
#include "FieldReader.h"
#include "GCodeSettingsPage.h"
#include "JobExchange.h"
#include "JobRunner.h"
#include "PassCount.h"
#include "ProgramDelivery.h"
#include "ProgramText.h"
#include "ToolsPage.h"

namespace bw::app {

DxfController::DxfController(JobContext& ctx, DxfPage& page, ToolsPage& tools, GCodeSettingsPage& gcode,
                             JobRunner& jobs, JobExchange& exchange, ProgramDelivery& delivery, QObject* parent)
    : QObject(parent), ctx_(ctx), page_(page), tools_(tools), gcode_(gcode), jobs_(jobs), delivery_(delivery) {
    exchange.registerCode(JobCode::DxfParameters, [this] { return fillParameters(); });
    connect(page_.SBZGD, &QPushButton::clicked, this, &DxfController::save);
    connect(page_.SBKopiujD, &QPushButton::clicked, this, &DxfController::copy);
    connect(page_.CBDotnij, &QCheckBox::clicked, this, &DxfController::updatePassCount);
    page_.EWarstwa->installEventFilter(this);
    page_.EGrubosc->installEventFilter(this);
}

bool DxfController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease && (watched == page_.EWarstwa || watched == page_.EGrubosc)) {
        updatePassCount();
    }
    return QObject::eventFilter(watched, event);
}

void DxfController::pageShown(const QString&) { updatePassCount(); }

void DxfController::updatePassCount() {
    const long long count = passCount(page_.EGrubosc->text().toStdString(), page_.EWarstwa->text().toStdString(),
                                      page_.CBDotnij->isChecked(), systemDecimalSeparator());
    page_.LPrzejsciaD->setText(QString::number(count));
}

Status DxfController::fillParameters() {
    JobParameters& p = ctx_.params;
    p.sourceWidthPx = page_.I1->width();
    p.sourceHeightPx = page_.I1->height();
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
    p.segmentLength = *segment;
    p.dirAxisStep = *step;
    p.focusZ = *focus;
    p.layerDepth = *layer;
    p.materialThickness = *thickness;
    p.workFeedText = page_.ESzRD->text().toStdString();
    p.rapidFeedText = page_.ESzJD->text().toStdString();
    p.finishingPass = page_.CBDotnij->isChecked();
    p.pwmMax = *pwmMax;
    p.headerText = readProgramText(gcode_.REHeaderU);
    p.footerText = readProgramText(gcode_.REFooterU);
    return success();
}

void DxfController::save() { delivery_.save(viewFileText(page_.RE1), gcode_.RGRozszerzenie->itemIndex()); }

void DxfController::copy() { delivery_.copy(page_.RE1->toPlainText()); }

}  // namespace bw::app
