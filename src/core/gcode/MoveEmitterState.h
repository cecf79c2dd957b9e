#pragma once
// The emitter's memory between moves: the move accepted but not yet printed and
// the move printed last. It lives as long as its owner (the window keeps one
// for all its jobs), so a job that forgets to reset it continues where the
// previous one stopped.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/Fixed4.h"
#include "gcode/GCodeMask.h"
#include "gcode/NumberTextCache.h"

namespace bw {

// Where a record stands; only a record in the Moving stage has a direction
// another move can continue.
enum class RecordStage : std::uint8_t {
    Moving,     // an ordinary move (also the state before any job)
    Reset,      // nothing emitted since the reset
    StartMove,  // the first move after a reset
    ArcEnd,     // an arc's end point: never continued, never printed again
};

struct MoveRecord {
    Fixed4 x, y, z;          // end point, origin offsets included
    Fixed4 a;                // DIR-axis position (printed record: the value on the printed line)
    Fixed4 direction;        // degrees in [0, 360)
    std::int32_t level = 0;  // power level 0..255
    std::int32_t feed = 0;   // mm/min
    bool working = false;    // G1 (true) or G0 (false)
    std::int8_t sense = 0;   // +1 straight up, -1 straight down (dX = 0), 0 for any other move
    RecordStage stage = RecordStage::Moving;
    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

// PWM values of one power level.
struct PwmValues {
    std::int64_t p = 0;   // PWM value, whole
    std::int64_t pi = 0;  // inverted PWM value (pwmMax - V), whole
    Fixed4 pf;            // PWM value to four decimals
};

// The 256 levels of the current power range, computed once per range.
struct PwmTable {
    Fixed4 minimum, maximum, pwmMax;  // the range the table was built for
    bool built = false;
    std::uint64_t generation = 0;  // counts the builds: what was worked out from a table names it
    PwmValues levels[256];
};

// What a straight move's line holds besides its position, DIR-axis value and
// power level (the level's values come from the power table of that generation).
struct BakedKey {
    FilledTokens filled = 0;
    std::int64_t z = 0, feed = 0;
    std::uint64_t pwmGeneration = 0;
    std::int32_t decimals = 0;
    bool working = false;
    friend bool operator==(const BakedKey&, const BakedKey&) = default;
};

// Line shapes of one power level and mode with all but the position and DIR-axis
// value written (raster and drawing lines repeat the rest line after line), for
// the few combinations of filled tokens, height and feed in use.
struct BakedLines {
    static constexpr int kWays = 4;
    // A way starts a cache line: its key, lengths and holes fill the first, the
    // literals a raster line uses the second.
    struct alignas(64) Way {
        bool valid = false;
        bool fits = false;  // false: the shape did not fit, such lines take the ordinary path
        BakedKey key;
        BakedShape shape;
    };
    Way ways[kWays];
    std::uint8_t next = 0;  // the way replaced next
};

struct MoveEmitterState {
    MoveRecord pending;
    MoveRecord printed;
    CompiledMask mask;  // compiled from the job's mask text when it changes
    // Per power level and mode (G0, G1), emptied with the mask.
    std::vector<BakedLines> bakedLines;
    // Bearings of recent steps, reused for equal steps: raster and hatch moves
    // repeat one step, and a drawing repeats the steps of its shapes.
    struct Bearing {
        Fixed4 dx, dy, degrees;
        bool known = false;
    };
    std::array<Bearing, 256> bearings;
    PwmTable pwm;                     // power levels of the current range
    NumberTextCache fixedTexts{12};   // coordinates and other decimal values
    NumberTextCache integerTexts{8};  // feeds and whole PWM values
};

}  // namespace bw
