#pragma once
// The only place that turns moves into G-code lines. It holds one move back so
// that consecutive moves in the same direction merge into one line, prints a
// lowercase token only where its value changed, maps power levels onto the PWM
// range and keeps the DIR-axis position A, which runs forward while the laser
// works and backward while it travels.

#include <cstdint>
#include <string>

#include "common/Fixed4.h"
#include "gcode/ProgramWriter.h"

namespace bw {

// A point in machine millimetres, before the origin offsets.
struct Point3 {
    Fixed4 x, y, z;
};

enum class Motion : std::uint8_t {
    Rapid,  // "G0", laser off
    Work,   // "G1"
};

// A straight move to `to`.
struct Move {
    Motion motion = Motion::Work;
    int level = 0;  // power level 0..255
    Point3 to;
    int feed = 0;  // mm/min
};

enum class ArcTurn : std::uint8_t {
    Counterclockwise,       // "G3"; the DIR axis runs 360 degrees less the angle between the two angles
    Clockwise,              // "G2"; the same DIR-axis travel
    CounterclockwiseSweep,  // "G3"; the DIR axis runs the angle between the two angles
};

// A circular arc from the current position to `to` around the centre offset
// (i, j), which is printed as given. The radius and the two angles (degrees)
// only size the DIR-axis travel.
struct Arc {
    ArcTurn turn = ArcTurn::Counterclockwise;
    int level = 0;
    Point3 to;
    Fixed4 i, j;
    Fixed4 radius;
    Fixed4 angle1, angle2;
    int feed = 0;
};

// Starts a new program: the next move prints at once a rapid line with all values.
void ResetEmitter(const ProgramWriter& out);

// The writer for a job that changes none of the settings while it prints (a
// raster job's millions of moves): the mask is prepared here, once.
ProgramWriter SteadyWriter(const ProgramWriter& out);

// What decides the lines later moves print: the move held back, the move
// printed last and the DIR axis. Two emitters at the same place print the same
// lines for the same moves; all else an emitter keeps only saves work.
struct EmitterPlace {
    MoveRecord pending, printed;
    Fixed4 a;
    friend bool operator==(const EmitterPlace&, const EmitterPlace&) = default;
};
EmitterPlace PlaceOf(const ProgramWriter& out, Fixed4 a);
// Puts the emitter at `place`; `a` becomes its DIR axis.
void RestorePlace(const ProgramWriter& out, Fixed4& a, const EmitterPlace& place);

// Whether the writer's mask prints the DIR axis, which then carries the whole
// program's travel in every line.
bool PrintsDirAxis(const ProgramWriter& out);

enum class Axis : std::uint8_t { X, Y };

// The job will print the positions k x step (k < count) along `axis` over and
// over, as a raster does row after row: their texts are then kept in order.
// Changes no printed byte, only how fast the positions are printed.
void ExpectGridPositions(const ProgramWriter& out, Axis axis, Fixed4 step, int count);

// The origin offsets are added to the end point here. The line for the previous
// move is appended to `out.lines` when this move does not continue it. `a` is the
// job's DIR-axis position, advanced by every printed line.
void ArcMove(const ProgramWriter& out, Fixed4& a, const Arc& arc);

namespace detail {
// LinearMove's body. It takes the move's fields one by one so that they arrive
// in registers: a move built on the caller's stack and read back as a whole
// stalls on store forwarding, and a raster job makes one move per pixel.
void EmitLinearMove(const ProgramWriter& out, Fixed4& a, Motion motion, int level, Fixed4 x, Fixed4 y, Fixed4 z,
                    int feed);
}  // namespace detail

inline void LinearMove(const ProgramWriter& out, Fixed4& a, const Move& move) {
    detail::EmitLinearMove(out, a, move.motion, move.level, move.to.x, move.to.y, move.to.z, move.feed);
}

// Euclidean distance rounded to a whole unit.
Fixed4 Distance(Fixed4 x1, Fixed4 y1, Fixed4 x2, Fixed4 y2);

// Text of one value as G-code prints it: the number format's decimals and a point.
std::string FormatValue(const NumberFormat& format, Fixed4 value);

}  // namespace bw
