#include "dxf/Spline.h"

#include <algorithm>
#include <limits>

#include "gcode/MoveEmitter.h"

namespace bw {

namespace {

constexpr std::int64_t kOne = Fixed4::kScale;

// One Cox-de Boor step: N(i, q) from N(i, q - 1) and N(i + 1, q - 1).
Int128 basisStep(const std::vector<Fixed4>& k, std::size_t i, int q, Int128 t, Int128 lower, Int128 upper) {
    Int128 a = 0;
    Int128 b = 0;
    Int128 d1 = Int128(k[i + q].raw) - k[i].raw;
    if (d1 != 0) { a = divRoundEven((t - k[i].raw) * lower, d1); }
    Int128 d2 = Int128(k[i + q + 1].raw) - k[i + 1].raw;
    if (d2 != 0) { b = divRoundEven((Int128(k[i + q + 1].raw) - t) * upper, d2); }
    return a + b;
}

// The same step in 64 bits wherever no difference or product leaves them (any
// real drawing): the 128-bit arithmetic costs several times more. The sum is
// truncated to 64 bits as the caller's cast of the wide result would.
std::int64_t basisStep64(const std::vector<Fixed4>& k, std::size_t i, int q, std::int64_t t, std::int64_t lower,
                         std::int64_t upper) {
    std::int64_t d1 = 0, d2 = 0, fromStart = 0, toEnd = 0, n1 = 0, n2 = 0;
    const bool fits = !__builtin_sub_overflow(k[i + q].raw, k[i].raw, &d1) &&
                      !__builtin_sub_overflow(k[i + q + 1].raw, k[i + 1].raw, &d2) &&
                      !__builtin_sub_overflow(t, k[i].raw, &fromStart) &&
                      !__builtin_sub_overflow(k[i + q + 1].raw, t, &toEnd) &&
                      !__builtin_mul_overflow(fromStart, lower, &n1) && !__builtin_mul_overflow(toEnd, upper, &n2) &&
                      d1 != INT64_MIN && d2 != INT64_MIN && n1 != INT64_MIN && n2 != INT64_MIN;
    if (!fits) { return static_cast<std::int64_t>(basisStep(k, i, q, t, lower, upper)); }
    // A zero basis value (the edges of every step) needs no division.
    const std::int64_t a = d1 != 0 && n1 != 0 ? static_cast<std::int64_t>(divRoundEven(n1, d1)) : 0;
    const std::int64_t b = d2 != 0 && n2 != 0 ? static_cast<std::int64_t>(divRoundEven(n2, d2)) : 0;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

std::int64_t accumulate(std::int64_t sum, std::int64_t basis, std::int64_t coordinate) {
    const Int128 n = Int128(basis) * coordinate + Int128(sum) * kOne;
    if (n > INT64_MAX || n < -INT64_MAX) { return static_cast<std::int64_t>(divRoundEven(n, kOne)); }
    // The usual case in 64 bits, where dividing by the constant costs a multiplication.
    const auto small = static_cast<std::int64_t>(n);
    std::int64_t q = small / kOne;
    const std::int64_t r = small % kOne;
    const std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > kOne || (twice == kOne && q % 2 != 0)) { q += small < 0 ? -1 : 1; }
    return q;
}

}  // namespace

bool IsTraceableSpline(const TItem& spline) {
    if (spline.kind != DxfKind::Spline || spline.controlPoints.empty()) { return false; }
    if (spline.knots.size() < spline.controlPoints.size() + 1) { return false; }
    if (spline.knots.size() - spline.controlPoints.size() - 1 > static_cast<std::size_t>(kMaxSplineDegree)) {
        return false;
    }
    return std::is_sorted(spline.knots.begin(), spline.knots.end());
}

Fixed4 BasisValue(std::size_t i, int p, Fixed4 t, const std::vector<Fixed4>& knots) {
    if (p < 0 || i + static_cast<std::size_t>(p) + 1 >= knots.size()) { return Fixed4{}; }
    if (!std::is_sorted(knots.begin(), knots.end())) { return Fixed4{}; }
    // level[j] holds N(i + j, q); the recursion's shared sub-terms are computed once.
    std::vector<Int128> level(static_cast<std::size_t>(p) + 1);
    for (std::size_t j = 0; j < level.size(); ++j) {
        level[j] = (knots[i + j] <= t && t < knots[i + j + 1]) ? kOne : 0;
    }
    for (int q = 1; q <= p; ++q) {
        for (std::size_t j = 0; j + static_cast<std::size_t>(q) <= static_cast<std::size_t>(p); ++j) {
            level[j] = basisStep(knots, i + j, q, t.raw, level[j], level[j + 1]);
        }
    }
    return Fixed4::fromRaw(static_cast<std::int64_t>(level[0]));
}

SplineEvaluator::SplineEvaluator(const TItem& spline)
    : knots_(&spline.knots), points_(&spline.controlPoints), traceable_(IsTraceableSpline(spline)) {}

TPoint SplineEvaluator::at(Fixed4 t) const {
    if (!traceable_) { return TPoint{}; }
    const std::vector<Fixed4>& k = *knots_;
    const TPointArray& points = *points_;
    const std::int64_t count = static_cast<std::int64_t>(k.size());
    const std::int64_t m = static_cast<std::int64_t>(points.size());
    const std::int64_t p = count - m - 1;
    if (t >= k.back()) { t = k.back() - Fixed4::fromRaw(1); }
    if (t <= k.front()) { t = k.front() + Fixed4::fromRaw(1); }
    // With non-decreasing knots at most one span holds t; only N(s - p .. s, p) can be non-zero.
    std::int64_t s = (std::upper_bound(k.begin(), k.end(), t) - k.begin()) - 1;
    if (s < 0 || s + 1 >= count) { return TPoint{}; }
    const std::int64_t base = s - p;  // basis_[i - base] = N(i, q)
    basis_.assign(static_cast<std::size_t>(p) + 2, 0);
    basis_[static_cast<std::size_t>(p)] = kOne;
    for (std::int64_t q = 1; q <= p; ++q) {
        for (std::int64_t i = s - q; i <= s; ++i) {
            std::size_t slot = static_cast<std::size_t>(i - base);
            if (i < 0 || i > count - 2 - q) {
                basis_[slot] = 0;
                continue;
            }
            basis_[slot] =
                basisStep64(k, static_cast<std::size_t>(i), static_cast<int>(q), t.raw, basis_[slot], basis_[slot + 1]);
        }
    }
    std::int64_t x = 0;
    std::int64_t y = 0;
    for (std::int64_t i = std::max<std::int64_t>(0, base); i <= std::min(s, m - 1); ++i) {
        std::int64_t n = basis_[static_cast<std::size_t>(i - base)];
        x = accumulate(x, n, points[static_cast<std::size_t>(i)].x.raw);
        y = accumulate(y, n, points[static_cast<std::size_t>(i)].y.raw);
    }
    return TPoint{Fixed4::fromRaw(x), Fixed4::fromRaw(y)};
}

TPoint SplinePoint(const std::vector<Fixed4>& knots, const TPointArray& controlPoints, Fixed4 t) {
    TItem spline;
    spline.kind = DxfKind::Spline;
    spline.knots = knots;
    spline.controlPoints = controlPoints;
    return SplineEvaluator(spline).at(t);
}

std::int64_t SegmentCount(const TPointArray& controlPoints, Fixed4 segmentLength) {
    Int128 length = 0;
    for (std::size_t i = 0; i + 1 < controlPoints.size(); ++i) {
        const TPoint& a = controlPoints[i];
        const TPoint& b = controlPoints[i + 1];
        length += Distance(a.x, a.y, b.x, b.y).raw;
    }
    if (length == 0 || segmentLength.raw <= 0) { return 0; }
    Int128 n = divCeil(length, segmentLength.raw);
    return n > std::numeric_limits<std::int64_t>::max() ? std::numeric_limits<std::int64_t>::max()
                                                        : static_cast<std::int64_t>(n);
}

Fixed4 TraceParameter(const std::vector<Fixed4>& knots, std::int64_t j, std::int64_t n) {
    if (knots.empty()) { return Fixed4{}; }
    // Writers place the curve on any knot range (0..4 is common); trace all of it.
    const Fixed4 first = knots.front();
    if (n <= 0) { return first; }
    Int128 span = Int128(knots.back().raw) - first.raw;
    return first + Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(Int128(j) * span, n)));
}

Result<std::int64_t> SplinePieces(const TItem& spline, Fixed4 segmentLength) {
    if (!IsTraceableSpline(spline)) { return std::int64_t{0}; }
    if (segmentLength.raw <= 0) { return Error{"The segment length must be greater than 0 to trace splines"}; }
    std::int64_t n = SegmentCount(spline.controlPoints, segmentLength);
    if (n > kMaxSplinePieces) {
        std::string message = "A spline needs more than ";
        appendInteger(message, kMaxSplinePieces);
        return Error{message + " straight pieces; increase the segment length"};
    }
    return n;
}

}  // namespace bw
