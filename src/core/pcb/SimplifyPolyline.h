#pragma once
// Ramer-Douglas-Peucker simplification of the traced staircases, in Fixed4
// units with the distance of a point from a line computed by Heron's formula
// from the three rounded side lengths.

#include <vector>

#include "common/Fixed4.h"

namespace bw {

struct MachinePoint {
    Fixed4 x;  // mm
    Fixed4 y;  // mm
    friend bool operator==(MachinePoint, MachinePoint) = default;
};

using Contour = std::vector<MachinePoint>;

// Height of p over the line through a and b, in units (0 for a degenerate
// triangle); when a = b, the distance from a to p. Exact for coordinates below
// 2^29 units (53 m), where the Heron product stays within 128 bits.
Fixed4 LineDistance(MachinePoint p, MachinePoint a, MachinePoint b);

// Keeps the first and the last point and, recursively, the first point farthest
// from the chord while that distance exceeds epsilon. A single point comes back twice.
Contour SimplifyPolyline(const Contour& points, Fixed4 epsilon);

// The outline's tolerance: 0.07 mm, enough to remove a one-pixel step at 508 DPI.
inline constexpr Fixed4 kOutlineEpsilon = Fixed4::fromRaw(700);

}  // namespace bw
