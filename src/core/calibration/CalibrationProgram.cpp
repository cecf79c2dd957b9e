#include "calibration/CalibrationProgram.h"

#include "common/TextLines.h"
#include "gcode/MaskPreview.h"
#include "gcode/MoveEmitter.h"
#include "gcode/ProgramOutput.h"
#include "job/JobParameters.h"

namespace bw {

namespace {

Result<Fixed4> decimalField(std::string_view text, char separator, std::string_view name) {
    auto value = parseDecimal(text, separator);
    if (!value) { return Error{std::string(name) + ": \"" + std::string(text) + "\" is not a number"}; }
    return *value;
}

}  // namespace

Result<CalibrationProgram> CalibrationProgram::Begin(const ProgramWriter& shared, const CalibrationFields& fields,
                                                     char decimalSeparator, CalibrationPattern pattern) {
    auto workFeed = parseFeed(fields.workFeedText, "Work speed");
    if (!workFeed) { return Error{workFeed.error()}; }
    auto rapidFeed = parseFeed(fields.rapidFeedText, "Idle speed");
    if (!rapidFeed) { return Error{rapidFeed.error()}; }
    auto step = decimalField(fields.dirAxisStepText, decimalSeparator, "Dir axis movement per mm");
    if (!step) { return Error{step.error()}; }
    auto pwmMax = decimalField(fields.pwmMaxText, decimalSeparator, "Maximum PWM value");
    if (!pwmMax) { return Error{pwmMax.error()}; }

    CalibrationProgram program(shared);
    if (pattern == CalibrationPattern::Fine) {
        auto baseZ = decimalField(fields.baseZText, decimalSeparator, "Base Z");
        if (!baseZ) { return Error{baseZ.error()}; }
        program.baseZ_ = *baseZ;
    }
    if (pattern == CalibrationPattern::Greyscale) {
        auto focus = decimalField(fields.focusZText, decimalSeparator, "Focus distance (Z)");
        if (!focus) { return Error{focus.error()}; }
        auto thickness = decimalField(fields.thicknessText, decimalSeparator, "Material thickness");
        if (!thickness) { return Error{thickness.error()}; }
        program.greyZ_ = *focus + *thickness;
    }

    StartFullRangeProgram(shared, fields.maskText, *step, *pwmMax);
    program.workFeed_ = *workFeed;
    program.rapidFeed_ = *rapidFeed;
    program.footerText_ = fields.footerText;
    for (std::string_view line : SplitLines(fields.headerText)) { program.lines_.append(line); }
    return program;
}

// The program's lines move with it (Begin returns it by value), so the writer
// is pointed at them on each move.
void CalibrationProgram::addMove(const Move& move) { LinearMove(shared_.into(lines_), a_, move); }

ProgramLines CalibrationProgram::finish() {
    for (std::string_view line : SplitLines(footerText_)) { lines_.append(line); }
    return std::move(lines_);
}

std::string CalibrationSaveName(std::string_view chosenName, int extensionChoice) {
    return ApplySaveExtension(chosenName, ExtensionForChoice(extensionChoice));
}

}  // namespace bw
