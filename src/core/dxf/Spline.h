#pragma once
// B-spline geometry in fixed point: the basis functions (Cox-de Boor, each term
// rounded once), points on the curve, and how many straight pieces trace it.
// The degree follows from the counts: knots - control points - 1.

#include <cstdint>
#include <vector>

#include "common/Fixed4.h"
#include "common/Result.h"
#include "dxf/TItem.h"

namespace bw {

// Far above the degrees drawing programs write (3, rarely up to 11); evaluating a
// point costs degree squared steps.
inline constexpr int kMaxSplineDegree = 32;

// A spline the engine can trace: at least one control point, at least one knot
// more than control points, a degree up to kMaxSplineDegree, knots never
// decreasing. The reader keeps no other spline; everything below treats any
// other spline as having no points.
bool IsTraceableSpline(const TItem& spline);

// The basis function of index i and degree p at t (10000 = 1). Needs
// i + p + 1 < knots.size() and non-decreasing knots; answers 0 otherwise.
Fixed4 BasisValue(std::size_t i, int p, Fixed4 t, const std::vector<Fixed4>& knots);

// Evaluates points of one spline; only the degree + 1 basis functions that are
// non-zero at t are computed, which gives the same sums as running over all of them.
class SplineEvaluator {
public:
    explicit SplineEvaluator(const TItem& spline);
    // The point for parameter t, clamped into the knot range first.
    TPoint at(Fixed4 t) const;

private:
    const std::vector<Fixed4>* knots_;
    const TPointArray* points_;
    bool traceable_;
    mutable std::vector<std::int64_t> basis_;  // scratch, one value per candidate index
};

TPoint SplinePoint(const std::vector<Fixed4>& knots, const TPointArray& controlPoints, Fixed4 t);

// More pieces than this for one spline is refused as a job error (it would be a
// program of gigabytes); the usual cure is a larger segment length.
inline constexpr std::int64_t kMaxSplinePieces = 1000000;

// Pieces that trace a spline: the control polygon's length over the segment
// length, rounded up; 0 for a polygon of length 0. segmentLength must be > 0.
// The answer saturates at INT64_MAX.
std::int64_t SegmentCount(const TPointArray& controlPoints, Fixed4 segmentLength);

// Trace parameter j of n over the knot range: first + Round(j x (last - first) / n),
// which for knots from 0 to 1 is Round(j / n x 10000). With n = 0 (or j = 0) the
// first knot; 0 when there are no knots.
Fixed4 TraceParameter(const std::vector<Fixed4>& knots, std::int64_t j, std::int64_t n);

// The pieces of a spline for the job, or an error when the segment length is
// not positive or the count exceeds kMaxSplinePieces. A spline that cannot be
// traced has 0 pieces.
Result<std::int64_t> SplinePieces(const TItem& spline, Fixed4 segmentLength);

}  // namespace bw
