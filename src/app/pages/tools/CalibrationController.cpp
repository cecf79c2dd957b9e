#include "pages/tools/CalibrationController.h"

#include "calibration/FocusPatterns.h"
#include "calibration/GreyscalePattern.h"
#include "fields/DecimalSeparator.h"
#include "fields/FieldReader.h"
#include "help/HelpMode.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "pages/tools/CalibrationDialog.h"
#include "pages/tools/InstructionWindows.h"
#include "pages/tools/ToolsPage.h"
#include "shell/MessageBoxes.h"

namespace bw::app {

namespace {

// Multi-line fields as the calibration reads them: every line, joined by CR LF.
std::string editorLines(const QPlainTextEdit* editor) {
    QString text = editor->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

}  // namespace

CalibrationController::CalibrationController(JobContext& ctx, ToolsPage& tools, GCodeSettingsPage& gcode,
                                             JobRunner& jobs, ProgramDelivery& delivery, HelpMode& help,
                                             QWidget* window)
    : QObject(window),
      ctx_(ctx),
      tools_(tools),
      gcode_(gcode),
      jobs_(jobs),
      delivery_(delivery),
      help_(help),
      window_(window),
      form3_(std::make_unique<CalibrationDialog>()),
      form4_(std::make_unique<FocusInstructions>()),
      form5_(std::make_unique<GreyscaleInstructions>()) {
    form3_->setWindowModality(Qt::ApplicationModal);
    connect(tools_.SpeedButton10, &QPushButton::clicked, this,
            [this] { build(tools_.SpeedButton10, int(CalibrationPattern::Coarse)); });
    connect(tools_.SpeedButton8, &QPushButton::clicked, this,
            [this] { build(tools_.SpeedButton8, int(CalibrationPattern::Fine)); });
    connect(tools_.SpeedButton11, &QPushButton::clicked, this,
            [this] { build(tools_.SpeedButton11, int(CalibrationPattern::Greyscale)); });
    connect(tools_.SpeedButton3, &QPushButton::clicked, form4_.get(), &FocusInstructions::showInstruction);
    connect(tools_.SpeedButton9, &QPushButton::clicked, form5_.get(), &GreyscaleInstructions::showInstruction);
}

CalibrationController::~CalibrationController() = default;

void CalibrationController::build(QObject* sender, int pattern) {
    if (help_.ConsumeHelpClick(sender)) { return; }
    // The pattern uses the emitter and the parameter block that a running job owns.
    if (jobs_.refuseWhileBusy()) { return; }
    CalibrationFields fields;
    fields.rapidFeedText = tools_.Edit1->text().toStdString();
    fields.workFeedText = tools_.Edit5->text().toStdString();
    fields.baseZText = tools_.Edit8->text().toStdString();
    fields.squares = tools_.CBKwadraty->isChecked();
    fields.focusZText = tools_.EOgniskowa->text().toStdString();
    fields.thicknessText = tools_.EGruboscT->text().toStdString();
    fields.maskText = gcode_.EMaskaU->text().toStdString();
    fields.dirAxisStepText = tools_.EEkstruzja->text().toStdString();
    fields.pwmMaxText = gcode_.EMWPWM->text().toStdString();
    fields.headerText = editorLines(gcode_.REHeaderU);
    fields.footerText = editorLines(gcode_.REFooterU);
    const char separator = systemDecimalSeparator();
    Result<ProgramLines> program = Error{"unknown pattern"};
    switch (CalibrationPattern(pattern)) {
        case CalibrationPattern::Coarse: program = BuildCoarseFocusPattern(ctx_.writer(), fields, separator); break;
        case CalibrationPattern::Fine: program = BuildFineFocusPattern(ctx_.writer(), fields, separator); break;
        case CalibrationPattern::Greyscale: program = BuildGreyscalePattern(ctx_.writer(), fields, separator); break;
    }
    if (!program) {
        showWarning(window_, QString::fromStdString(program.error()));
        return;
    }
    DeliverCalibrationCode(*program);
}

void CalibrationController::DeliverCalibrationCode(const ProgramLines& program) {
    form3_->exec();
    if (form3_->Choice == 1) {
        delivery_.copy(QString::fromStdString(CalibrationCopyText(program)));
        showInformation(window_, QStringLiteral("OK"));
    } else if (form3_->Choice == 2) {
        delivery_.save(program.text(), gcode_.RGRozszerzenie->itemIndex());
    }
}

}  // namespace bw::app
