#pragma once
// The Tools page's calibration commands: the coarse and fine focus patterns and
// the greyscale pattern, built in the window thread and delivered through the
// calibration dialog `TForm3` (copy, save or cancel); and the two instruction
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
class TForm3;
class TForm4;
class TForm5;
class ToolsPage;

class CalibrationController : public QObject {
    Q_OBJECT
public:
    CalibrationController(JobContext& ctx, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                          ProgramDelivery& delivery, HelpMode& help, QWidget* window);

    ~CalibrationController() override;

    TForm3* dialog() { return form3_.get(); }
    TForm4* focusInstruction() { return form4_.get(); }
    TForm5* greyInstruction() { return form5_.get(); }

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
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
};

}  // namespace bw::app
