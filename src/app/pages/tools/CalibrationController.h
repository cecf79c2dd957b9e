#pragma once
// The Tools page's calibration commands: the coarse and fine focus patterns and
// the greyscale pattern, built in the window thread and delivered through the
// calibration dialog (`Form3`) (copy, save or cancel); and the two instruction
// windows. A command never runs while a job emits: they share the emitter.

#include <QObject>

#include <functional>
#include <memory>

#include "job/JobContext.h"

namespace bw::app {

class GCodeSettingsPage;
class HelpMode;
class JobRunner;
class ProgramDelivery;
class CalibrationDialog;
class FocusInstructions;
class GreyscaleInstructions;
class ToolsPage;

class CalibrationController : public QObject {
    Q_OBJECT
public:
    CalibrationController(JobContext& ctx, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                          ProgramDelivery& delivery, HelpMode& help, QWidget* window);

    ~CalibrationController() override;

    CalibrationDialog* dialog() { return form3_.get(); }
    FocusInstructions* focusInstruction() { return form4_.get(); }
    GreyscaleInstructions* greyInstruction() { return form5_.get(); }

private:
    void build(QObject* sender, int pattern);
    // Copies or saves the program as the dialog's choice says.
    void DeliverCalibrationCode(const ProgramLines& program);

    JobContext& ctx_;
    ToolsPage& tools_;
    GCodeSettingsPage& gcode_;
    JobRunner& jobs_;
    ProgramDelivery& delivery_;
    HelpMode& help_;
    QWidget* window_;
    // Separate windows, not children of the main window: their controls reuse names of its controls.
    std::unique_ptr<CalibrationDialog> form3_;
    std::unique_ptr<FocusInstructions> form4_;
    std::unique_ptr<GreyscaleInstructions> form5_;
};

}  // namespace bw::app
