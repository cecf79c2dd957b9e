#pragma once
// What the move emitter prints through: the settings a line depends on, the
// emitter's records, the number format, the origin offsets and the program's
// line store. A writer only refers to these; they belong to whoever runs the
// job (the window keeps them from one job to the next: a job that sets no power
// range prints through the range the last one left).

#include <cstdint>
#include <string>

#include "common/Fixed4.h"
#include "gcode/MoveEmitterState.h"
#include "gcode/NumberFormat.h"
#include "gcode/ProgramLines.h"
#include "job/StartPoint.h"

namespace bw {

// The parameters every printed line depends on.
struct EmitterSettings {
    std::string maskText;  // the G-code mask
    Fixed4 dirAxisStep;    // DIR-axis travel per mm of XY travel
    Fixed4 powerMinPwm;    // PWM value of power level 0
    Fixed4 powerMaxPwm;    // PWM value of power level 255
    Fixed4 pwmMax;         // maximum PWM value
};

// Passed as const: the writer never changes, what it refers to does.
struct ProgramWriter {
    MoveEmitterState& emitter;
    EmitterSettings& settings;
    NumberFormat& numberFormat;
    const OriginOffset& origin;
    ProgramLines& lines;
    // Set by SteadyWriter: the settings stay as they are while this writer is
    // used, so the mask is matched with its text once instead of on every line.
    bool steady = false;

    // The same emitter printing into another line store (a program built beside the job's own).
    ProgramWriter into(ProgramLines& other) const { return {emitter, settings, numberFormat, origin, other, steady}; }
};

}  // namespace bw
