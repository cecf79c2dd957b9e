#pragma once
// The G-CODE Settings page's live preview: a fixed little program run through
// the current mask, so the user sees what every kind of line will look like.

#include <string>

#include "common/Result.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/ProgramLines.h"
#include "gcode/ProgramWriter.h"
#include "settings/FormDefaults.h"

namespace bw {

struct MaskPreviewFields {
    std::string maskText{kDefaultMaskText};  // EMaskaU
    std::string decimalsText = FormDefaultText("EIloscZerU", ',');
    std::string dirAxisStepText = FormDefaultText("EEkstruzja", ',');
    std::string pwmMaxText = FormDefaultText("EMWPWM", ',');
};

// Starts a program built in the window thread (the preview, the calibration
// patterns): resets the emitter and takes the mask, the DIR-axis step and the
// whole power range 0..pwmMax, which later jobs that set no range inherit.
void StartFullRangeProgram(const ProgramWriter& out, const std::string& maskText, Fixed4 dirAxisStep, Fixed4 pwmMax);

// Builds the preview program into lines of its own (shared.lines stays as it
// is). Like the window's preview it leaves the number format, the mask, the
// DIR-axis step, the power range (0..pwmMax) and the emitter state in `shared`:
// jobs that do not set the power range themselves print through this one.
Result<ProgramLines> BuildMaskPreview(const ProgramWriter& shared, const MaskPreviewFields& fields,
                                      char decimalSeparator);

}  // namespace bw
