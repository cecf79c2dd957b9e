#include "pages/gcode/MaskPreviewUpdater.h"

#include <QStatusBar>

#include "fields/DecimalSeparator.h"
#include "gcode/MaskPreview.h"
#include "job/FieldRanges.h"
#include "jobs/JobRunner.h"
#include "output/ProgramText.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/tools/ToolsPage.h"

namespace bw::app {

MaskPreviewUpdater::MaskPreviewUpdater(JobContext& ctx, GCodeSettingsPage& gcodePage, ToolsPage& toolsPage,
                                       JobRunner& jobs, QStatusBar* statusBar, QObject* parent)
    : QObject(parent), ctx_(ctx), gcodePage_(gcodePage), toolsPage_(toolsPage), jobs_(jobs), statusBar_(statusBar) {
    connect(gcodePage_.EMaskaU, &QLineEdit::textChanged, this, &MaskPreviewUpdater::rebuild);
    connect(gcodePage_.SpeedButton2, &QPushButton::clicked, this, &MaskPreviewUpdater::rebuild);
    connect(&jobs_, &JobRunner::jobEnded, this, [this] {
        if (formatPending_) { rebuildFormat(); }
        if (pending_) { rebuild(); }
    });
    // The decimal places take effect at once (the preview itself waits for "Reset" or a mask edit).
    connect(toolsPage_.EIloscZerU, &QLineEdit::textChanged, this, &MaskPreviewUpdater::rebuildFormat);
}

void MaskPreviewUpdater::rebuildFormat() {
    formatPending_ = jobs_.busy();
    if (formatPending_) { return; }
    const std::string decimals = toolsPage_.EIloscZerU->text().toStdString();
    rebuildNumberFormat(ctx_.numberFormat, decimals, systemDecimalSeparator());
    // The programs then use the nearest accepted count; the status bar says so, as the
    // command line refuses the same value.
    if (auto value = parseDecimal(decimals, systemDecimalSeparator())) {
        if (Status inRange = CheckRange(FieldRanges::Decimals, *value, systemDecimalSeparator()); !inRange) {
            statusBar_->showMessage(QString::fromStdString(inRange.error()));
        }
    }
}

void MaskPreviewUpdater::rebuild() {
    pending_ = jobs_.busy();
    if (!pending_) { rebuildNow(); }
}

void MaskPreviewUpdater::rebuildNow() {
    MaskPreviewFields fields;
    fields.maskText = gcodePage_.EMaskaU->text().toStdString();
    fields.decimalsText = toolsPage_.EIloscZerU->text().toStdString();
    fields.dirAxisStepText = toolsPage_.EEkstruzja->text().toStdString();
    fields.pwmMaxText = gcodePage_.EMWPWM->text().toStdString();
    auto lines = BuildMaskPreview(ctx_.writer(), fields, systemDecimalSeparator());
    if (!lines) {
        statusBar_->showMessage(QString::fromStdString(lines.error()));
        return;
    }
    // Five short lines: a plain text field shows them.
    QString text = QString::fromStdString(lines->text()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) { text.chop(1); }
    gcodePage_.REPodgladU->setPlainText(text);
}

}  // namespace bw::app
