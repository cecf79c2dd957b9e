#include "MaskPreviewUpdater.h"

#include <QStatusBar>

#include "DecimalSeparator.h"
#include "GCodeSettingsPage.h"
#include "JobRunner.h"
#include "ProgramText.h"
#include "ToolsPage.h"
#include "gcode/MaskPreview.h"

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
    rebuildNumberFormat(ctx_.numberFormat, toolsPage_.EIloscZerU->text().toStdString(), systemDecimalSeparator());
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
