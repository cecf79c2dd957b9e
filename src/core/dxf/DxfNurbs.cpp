#include "dxf/DxfNurbs.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace bw {

namespace {

double chordDistance(DxfPoint2 p, DxfPoint2 a, DxfPoint2 b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    if (len2 == 0) { return std::hypot(p.x - a.x, p.y - a.y); }
    double s = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + s * dx), p.y - (a.y + s * dy));
}

constexpr int kMaxDepth = 24;

class Flattener {
public:
    Flattener(const DxfNurbs& curve, double chordError, std::size_t maxPoints)
        : curve_(curve), chordError_(chordError), maxPoints_(maxPoints) {}

    bool add(double t0, DxfPoint2 p0, double t1, DxfPoint2 p1, int depth) {
        double tm = (t0 + t1) / 2;
        DxfPoint2 pm = NurbsPoint(curve_, tm);
        DxfPoint2 q1 = NurbsPoint(curve_, (t0 + tm) / 2);
        DxfPoint2 q3 = NurbsPoint(curve_, (tm + t1) / 2);
        bool flat = chordDistance(pm, p0, p1) <= chordError_ && chordDistance(q1, p0, p1) <= chordError_ &&
                    chordDistance(q3, p0, p1) <= chordError_;
        if (flat || depth >= kMaxDepth) {
            points_.push_back(p1);
            return points_.size() <= maxPoints_;
        }
        return add(t0, p0, tm, pm, depth + 1) && add(tm, pm, t1, p1, depth + 1);
    }

    std::vector<DxfPoint2> points_;

private:
    const DxfNurbs& curve_;
    double chordError_;
    std::size_t maxPoints_;
};

}  // namespace

bool IsValidNurbs(const DxfNurbs& c) {
    if (c.degree < 1 || c.points.size() < static_cast<std::size_t>(c.degree) + 1) { return false; }
    if (c.knots.size() != c.points.size() + static_cast<std::size_t>(c.degree) + 1) { return false; }
    if (c.weights.size() != c.points.size()) { return false; }
    if (!std::is_sorted(c.knots.begin(), c.knots.end())) { return false; }
    for (double w : c.weights) {
        if (!(w > 0) || !std::isfinite(w)) { return false; }
    }
    return c.knots[static_cast<std::size_t>(c.degree)] < c.knots[c.points.size()];
}

DxfPoint2 NurbsPoint(const DxfNurbs& c, double t) {
    const std::size_t p = static_cast<std::size_t>(c.degree);
    const std::size_t n = c.points.size();
    t = std::clamp(t, c.knots[p], c.knots[n]);
    // The span k with knots[k] <= t < knots[k + 1], inside [p, n - 1].
    std::size_t k = static_cast<std::size_t>(std::upper_bound(c.knots.begin(), c.knots.end(), t) - c.knots.begin());
    k = std::clamp<std::size_t>(k == 0 ? 0 : k - 1, p, n - 1);
    struct H {
        double x, y, w;
    };
    std::vector<H> d(p + 1);
    for (std::size_t j = 0; j <= p; ++j) {
        const std::size_t i = j + k - p;
        double w = c.weights[i];
        d[j] = {c.points[i].x * w, c.points[i].y * w, w};
    }
    for (std::size_t r = 1; r <= p; ++r) {
        for (std::size_t j = p; j >= r; --j) {
            const std::size_t i = j + k - p;
            double span = c.knots[i + p - r + 1] - c.knots[i];
            double a = span == 0 ? 0 : (t - c.knots[i]) / span;
            d[j] = {(1 - a) * d[j - 1].x + a * d[j].x, (1 - a) * d[j - 1].y + a * d[j].y,
                    (1 - a) * d[j - 1].w + a * d[j].w};
        }
    }
    return {d[p].x / d[p].w, d[p].y / d[p].w};
}

std::optional<std::vector<DxfPoint2>> FlattenNurbs(const DxfNurbs& c, double chordError, std::size_t maxPoints) {
    Flattener flattener(c, chordError, maxPoints);
    const std::size_t p = static_cast<std::size_t>(c.degree);
    const std::size_t n = c.points.size();
    flattener.points_.push_back(NurbsPoint(c, c.knots[p]));
    // Each knot span is a polynomial piece; a few starting pieces per span keep
    // the quarter-point test from missing a wiggle.
    constexpr int kStart = 4;
    for (std::size_t k = p; k < n; ++k) {
        double a = c.knots[k], b = c.knots[k + 1];
        if (!(b > a)) { continue; }
        DxfPoint2 previous = NurbsPoint(c, a);
        for (int s = 1; s <= kStart; ++s) {
            double t1 = s == kStart ? b : a + (b - a) * s / kStart;
            double t0 = a + (b - a) * (s - 1) / kStart;
            DxfPoint2 next = NurbsPoint(c, t1);
            if (!flattener.add(t0, previous, t1, next, 0)) { return std::nullopt; }
            previous = next;
        }
    }
    return std::move(flattener.points_);
}

}  // namespace bw
