#pragma once
// Rational and unclamped B-splines in floating point, for the curves the fixed-point
// spline item cannot carry: evaluated by de Boor's algorithm in homogeneous
// coordinates over the curve's valid range [knot p, knot (control points)], and
// cut into straight pieces within a chord error.

#include <vector>

#include "dxf/DxfItemSink.h"

namespace bw {

struct DxfNurbs {
    int degree = 0;
    std::vector<double> knots;      // non-decreasing, control points + degree + 1 of them
    std::vector<DxfPoint2> points;  // control points on the XY plane
    std::vector<double> weights;    // one per control point, all positive
};

// Whether the counts, the knot order and the weights describe a curve.
bool IsValidNurbs(const DxfNurbs& curve);

DxfPoint2 NurbsPoint(const DxfNurbs& curve, double t);

// Points along the curve whose chords stay within `chordError` of it (checked at
// the quarter points of every chord); nullopt past `maxPoints`.
std::optional<std::vector<DxfPoint2>> FlattenNurbs(const DxfNurbs& curve, double chordError, std::size_t maxPoints);

}  // namespace bw
