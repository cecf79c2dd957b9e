#pragma once
// Reads a G-code program line by line as a GRBL controller in laser mode would
// run it, and reports what the machine does: every straight piece of its path
// (burning or not, with the power), the lengths, the extent of what is burnt and
// the time, from the motion planner. A move burns when it is G1, G2 or G3, the
// laser is on (M3 or M4) and S > 0. Words the machine model does not follow are
// reported as warnings with their line numbers; nothing in a program can make it
// fail.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/GCodeWords.h"
#include "simulation/MachineLimits.h"
#include "simulation/MotionPlanner.h"
#include "simulation/ToolpathSegment.h"

namespace bw {

struct SimulationOptions {
    MachineLimits limits;
    bool burnAllFeedMoves = false;  // every G1/G2/G3 burns: programs that switch no laser (PCB exposure)
    bool estimateTime = true;       // off: only the path (redrawing needs no planner)
};

struct SimulationSummary {
    std::int64_t lines = 0;  // lines read
    std::int64_t moves = 0;  // motion commands that moved the machine (an arc counts once)
    double burnLengthMm = 0;
    double travelLengthMm = 0;          // every move that does not burn
    double seconds = 0;                 // time estimate, dwells included
    PathBounds burnBounds;              // of the burnt path
    PathBounds pathBounds;              // of every move
    double maxPower = 0;                // largest S of a burning move
    bool dynamicPower = false;          // some burning move ran under M4
    std::vector<std::string> warnings;  // "line N: ...", the first kMaxWarnings
    std::int64_t warningCount = 0;      // all of them
};

inline constexpr std::size_t kMaxWarnings = 100;

using SegmentCallback = std::function<void(const ToolpathSegment&)>;

class ProgramSimulator {
public:
    explicit ProgramSimulator(const SimulationOptions& options, SegmentCallback onSegment = {});

    // One line of the program, without its line end.
    void addLine(std::string_view line);
    // Every line of a text (CR LF, LF or CR ends a line).
    void addText(std::string_view text);
    // The summary; the machine comes to rest at the end of the program.
    SimulationSummary finish();

private:
    enum class Motion { Rapid, Linear, ArcClockwise, ArcCounterClockwise, None };
    enum class Laser { Off, Constant, Dynamic };

    void warn(std::string_view text);
    void interpret();
    void moveTo(const double target[3], Motion motion);
    void arcTo(const double target[3], double offsetI, double offsetJ, bool clockwise);
    void straightPiece(const double target[3], Motion motion);

    SimulationOptions options_;
    SegmentCallback onSegment_;
    MotionPlanner planner_;
    SimulationSummary summary_;
    std::vector<GCodeWord> words_;

    double position_[3] = {0, 0, 0};  // machine mm
    double offset_[3] = {0, 0, 0};    // G92: program coordinate = machine - offset
    bool relative_ = false;           // G91
    bool inches_ = false;             // G20
    Motion motion_ = Motion::Rapid;
    double feedMmPerMin_ = 0;  // 0: not set yet
    double power_ = 0;         // S
    Laser laser_ = Laser::Off;
    int coolant_ = 9;  // M7, M8 or M9
};

}  // namespace bw
