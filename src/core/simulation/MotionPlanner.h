#pragma once
// The controller's motion planner, for the time a program takes: every straight
// move gets a trapezoidal speed profile (accelerate, cruise, decelerate), corners
// are taken at the speed the junction-deviation rule allows, and the look-ahead
// spans the whole program, so a long run of short moves reaches full speed.
//
// Moves stream in and are timed as soon as no later move can change their
// profile: once a move's entry speed is limited by its own corner or feed rather
// than by the distance left to stop, nothing after it matters. Only that tail is
// held, so memory stays small however long the program is.

#include <cstddef>
#include <vector>

#include "simulation/MachineLimits.h"

namespace bw {

class MotionPlanner {
public:
    explicit MotionPlanner(const MachineLimits& limits);

    // A straight move by (dx, dy, dz) mm. A rapid runs at the maximum rate; a feed
    // move at `feedMmPerMin` capped by it. Moves of zero length are dropped.
    void addMove(double dx, double dy, double dz, double feedMmPerMin, bool rapid);
    // The machine comes to rest here (dwell, spindle or coolant change, program end).
    void stop();
    // Rest for the given seconds.
    void dwell(double seconds);
    // Seconds of the whole program so far, including every planned move to rest.
    double finish();

private:
    struct Block {
        double lengthMm = 0;
        double acceleration = 0;  // mm/s^2 along the move
        double nominalSqr = 0;    // (mm/s)^2
        double maxEntrySqr = 0;   // corner and speed limits
        double entrySqr = 0;      // planned
    };
    void plan(bool atRest);
    double limitByAxis(double value, const double unit[3]) const;

    MachineLimits limits_;
    std::vector<Block> blocks_;  // blocks_[0].entrySqr is final
    std::size_t planAt_ = 4096;  // plan when this many blocks wait
    double previousUnit_[3] = {0, 0, 0};
    double previousNominal_ = 0;  // mm/s
    bool moving_ = false;         // a move came since the last rest
    double seconds_ = 0;
};

// Seconds of one move from entry to exit speed through a trapezoid (or a
// triangle when it is too short to cruise). Speeds squared, in (mm/s)^2.
double TrapezoidSeconds(double lengthMm, double acceleration, double entrySqr, double nominalSqr, double exitSqr);

}  // namespace bw
