#pragma once
// One entity of a DXF drawing as the reader stores it. Coordinates are in the
// file's own orientation; an arc is stored for tracing clockwise from its end
// angle back to its start angle.

#include <cstdint>
#include <vector>

#include "common/Fixed4.h"

namespace bw {

struct TPoint {
    Fixed4 x;  // mm
    Fixed4 y;  // mm
    friend constexpr bool operator==(TPoint, TPoint) = default;
};

using TPointArray = std::vector<TPoint>;

namespace DxfKind {
inline constexpr std::uint8_t Circle = 1;
inline constexpr std::uint8_t Line = 2;
inline constexpr std::uint8_t Arc = 3;
inline constexpr std::uint8_t Spline = 4;
}  // namespace DxfKind

struct TItem {
    std::uint8_t kind = 0;      // DxfKind: 1 circle, 2 line, 3 arc, 4 spline
    Fixed4 x;                   // centre X of a circle or arc
    Fixed4 x1;                  // first end point X of a line
    Fixed4 x2;                  // second end point X of a line
    Fixed4 y;                   // centre Y of a circle or arc
    Fixed4 y1;                  // first end point Y of a line
    Fixed4 y2;                  // second end point Y of a line
    Fixed4 radius;              // radius of a circle or arc
    Fixed4 startAngle;          // arc start angle, degrees
    Fixed4 endAngle;            // arc end angle, degrees
    Fixed4 startX, startY;      // where tracing begins (a circle keeps 0, 0)
    Fixed4 endX, endY;          // where tracing ends (a circle keeps 0, 0)
    TPointArray controlPoints;  // spline control points
    std::vector<Fixed4> knots;  // spline knot values
    bool used = false;          // already traced in the current pass
    bool clockwise = false;     // the arc is traced clockwise ("G2")

    friend bool operator==(const TItem&, const TItem&) = default;
};

}  // namespace bw
