#pragma once
// The machine values the time estimate depends on. They are the same for the X,
// Y and Z axes, as on the small engravers this program drives.

namespace bw {

struct MachineLimits {
    double maxRateMmPerMin = 6000;      // fastest travel of an axis; every G0 runs at it
    double accelerationMmPerS2 = 1000;  // acceleration of an axis
    double junctionDeviationMm = 0.01;  // how far a corner may be cut at speed
};

// The arc tolerance of the controller: arcs are cut as chords that stray at most
// this far from the true circle.
inline constexpr double kArcToleranceMm = 0.002;

}  // namespace bw
