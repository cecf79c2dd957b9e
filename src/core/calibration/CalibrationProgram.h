#pragma once
// What the three calibration commands share: the Tools and G-CODE Settings
// fields they read, the preparation of the emitter and the parameter block,
// and the delivery of the finished program (header lines, moves, footer lines;
// copied or saved with CR LF line ends).

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/MoveEmitter.h"
#include "gcode/ProgramLines.h"
#include "settings/FormDefaults.h"

namespace bw {

// The window fields the calibration commands read, as texts in the system's notation.
struct CalibrationFields {
    std::string rapidFeedText = FormDefaultText("Edit1", ',');      // whole mm/min
    std::string workFeedText = FormDefaultText("Edit5", ',');       // whole mm/min
    std::string baseZText = FormDefaultText("Edit8", ',');          // base Z of the fine pattern
    bool squares = FormDefaultFlag("CBKwadraty");                   // fine pattern of squares (else dots)
    std::string focusZText = FormDefaultText("EOgniskowa", ',');    // Z of the greyscale pattern...
    std::string thicknessText = FormDefaultText("EGruboscT", ',');  // ...plus the material thickness
    std::string maskText{kDefaultMaskText};                         // EMaskaU
    std::string dirAxisStepText = FormDefaultText("EEkstruzja", ',');
    std::string pwmMaxText = FormDefaultText("EMWPWM", ',');  // read as a decimal
    std::string headerText;                                   // REHeaderU: its lines joined by CR LF
    std::string footerText;                                   // REFooterU
};

enum class CalibrationPattern { Coarse, Fine, Greyscale };

// A calibration program under construction: the emitter it prints through into
// lines of its own, its own DIR-axis accumulator and the feeds read from the fields.
class CalibrationProgram {
public:
    // Reads and checks every field the pattern needs before anything in `shared`
    // changes; then resets the emitter, sets the mask, DIR-axis step and the
    // power range 0..pwmMax, and appends the header lines. shared.lines stays as it is.
    static Result<CalibrationProgram> Begin(const ProgramWriter& shared, const CalibrationFields& fields,
                                            char decimalSeparator, CalibrationPattern pattern);

    void rapid(Fixed4 x, Fixed4 y, Fixed4 z) {
        addMove({.motion = Motion::Rapid, .level = 0, .to = {x, y, z}, .feed = rapidFeed_});
    }
    void work(int level, Fixed4 x, Fixed4 y, Fixed4 z) {
        addMove({.motion = Motion::Work, .level = level, .to = {x, y, z}, .feed = workFeed_});
    }
    // A comment or other text line put straight into the program, between moves.
    void comment(std::string_view line) { lines_.append(line); }
    // Appends the footer lines and hands the program over.
    ProgramLines finish();

    Fixed4 baseZ() const { return baseZ_; }  // fine pattern: Z of field 100
    Fixed4 greyZ() const { return greyZ_; }  // greyscale pattern: focus Z + material thickness

private:
    explicit CalibrationProgram(const ProgramWriter& shared) : shared_(shared) {}
    void addMove(const Move& move);

    ProgramWriter shared_;
    ProgramLines lines_;
    Fixed4 a_;
    int rapidFeed_ = 0;
    int workFeed_ = 0;
    Fixed4 baseZ_;
    Fixed4 greyZ_;
    std::string footerText_;
};

// The text put on the clipboard: every line followed by CR LF.
inline std::string CalibrationCopyText(const ProgramLines& program) { return program.text(); }

// The file a chosen save name becomes: the extension of the G-code profile's
// choice (0 "g", 1 "gcode", 2 "nc", 3 "tap") is appended unless the name
// already ends in it, in any letter case ("job.NC" stays, "job.g" becomes "job.g.nc").
std::string CalibrationSaveName(std::string_view chosenName, int extensionChoice);

}  // namespace bw
