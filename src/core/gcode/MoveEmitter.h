#pragma once
// The only place that turns moves into G-code lines. It holds one move back so
// that consecutive moves in the same direction merge into one line, prints a
// lowercase token only where its value changed, maps power levels onto the PWM
// range and keeps the DIR-axis position A, which runs forward while the laser
// works and backward while it travels.

#include <cstdint>

#include "common/Fixed4.h"
#include "gcode/ProgramLines.h"
#include "job/JobContext.h"

namespace bw {

// Starts a new program: the next move prints at once a rapid line with all values.
void ResetEmitter(JobContext& ctx);

// A straight move to (x, y, z); the origin offsets are added here. The line for
// the previous move is appended to `lines` when this move does not continue it.
void LinearMove(JobContext& ctx, Fixed4& a, bool rapid, int level, Fixed4 x, Fixed4 y, Fixed4 z, int feed,
                ProgramLines& lines);

// A circular arc from the current position to (x, y, z) around the centre offset
// (i, j). arcDirection 1 is "G2", anything else "G3"; radius and the two angles
// (degrees) only size the DIR-axis travel.
void ArcMove(JobContext& ctx, Fixed4& a, int arcDirection, int level, Fixed4 x, Fixed4 y, Fixed4 z, Fixed4 i,
             Fixed4 j, Fixed4 radius, Fixed4 angle1, Fixed4 angle2, int feed, ProgramLines& lines);

// Euclidean distance rounded to a whole unit.
Fixed4 Distance(Fixed4 x1, Fixed4 y1, Fixed4 x2, Fixed4 y2);

// Text of one value as G-code prints it: the number format's decimals and a point.
std::string FormatValue(const NumberFormat& format, Fixed4 value);

}  // namespace bw
