#include "dxf/DxfItemSink.h"

#include <cmath>
#include <numbers>

#include "dxf/ArcGeometry.h"
#include "dxf/DxfLineScan.h"

namespace bw {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Stored angles are turned into radians with 0.01745329 per degree everywhere
// in the engine; an angle is stored so that this factor gives it back.
constexpr double kRawPerRadian = 10000.0 / 0.01745329;

double normalized(double radians) {
    double a = std::fmod(radians, kTwoPi);
    if (a < 0) { a += kTwoPi; }
    return a;
}

Status outOfRange() { return Error{"the drawing lies beyond the coordinate range (1000000000 mm)"}; }

double length(DxfPoint2 v) { return std::hypot(v.x, v.y); }

}  // namespace

double SweepRadians(double from, double to) {
    double sweep = std::fmod(to - from, kTwoPi);
    if (!std::isfinite(sweep)) { return 0; }
    if (sweep <= 0) { sweep += kTwoPi; }
    return sweep;
}

Error DxfItemSink::tooManyPieces() const {
    std::string message = "the drawing expands to more than ";
    appendInteger(message, static_cast<std::int64_t>(maxPieces_));
    return Error{message + " pieces"};
}

Result<Fixed4> DxfItemSink::toFixed(double millimetres) {
    double raw = millimetres * Fixed4::kScale;
    if (!std::isfinite(raw) || std::abs(raw) > static_cast<double>(kDxfValueLimitRaw)) {
        return Error{outOfRange().error()};
    }
    return Fixed4::fromRaw(roundEven(raw));
}

Status DxfItemSink::append(TItem item) {
    if (items_.size() >= maxPieces_) { return tooManyPieces(); }
    items_.push_back(std::move(item));
    return success();
}

Status DxfItemSink::line(DxfPoint2 a, DxfPoint2 b) {
    auto x1 = toFixed(a.x), y1 = toFixed(a.y), x2 = toFixed(b.x), y2 = toFixed(b.y);
    if (!x1 || !y1 || !x2 || !y2) { return outOfRange(); }
    TItem item;
    item.kind = DxfKind::Line;
    item.x1 = item.startX = *x1;
    item.y1 = item.startY = *y1;
    item.x2 = item.endX = *x2;
    item.y2 = item.endY = *y2;
    return append(std::move(item));
}

Status DxfItemSink::circle(DxfPoint2 centre, double radius) {
    auto x = toFixed(centre.x), y = toFixed(centre.y), r = toFixed(radius);
    if (!x || !y || !r) { return outOfRange(); }
    TItem item;
    item.kind = DxfKind::Circle;
    item.x = *x;
    item.y = *y;
    item.radius = *r;
    return append(std::move(item));
}

Status DxfItemSink::arc(DxfPoint2 centre, double radius, double fromRadians, double toRadians) {
    if (toRadians - fromRadians >= kTwoPi - 1e-12) { return circle(centre, radius); }
    auto x = toFixed(centre.x), y = toFixed(centre.y), r = toFixed(radius);
    if (!x || !y || !r) { return outOfRange(); }
    TItem item;
    item.kind = DxfKind::Arc;
    item.x = *x;
    item.y = *y;
    item.radius = *r;
    item.startAngle = Fixed4::fromRaw(roundEven(normalized(fromRadians) * kRawPerRadian));
    item.endAngle = Fixed4::fromRaw(roundEven(normalized(toRadians) * kRawPerRadian));
    TPoint end = ArcPoint(item.x, item.y, item.radius, item.startAngle);
    TPoint start = ArcPoint(item.x, item.y, item.radius, item.endAngle);
    if (item.startAngle == item.endAngle) {
        // Too short to hold two distinct angles: its chord is the cut.
        return line({start.x.toDouble(), start.y.toDouble()}, {end.x.toDouble(), end.y.toDouble()});
    }
    item.endX = end.x;
    item.endY = end.y;
    item.startX = start.x;
    item.startY = start.y;
    item.clockwise = true;
    return append(std::move(item));
}

Status DxfItemSink::ellipse(DxfPoint2 centre, DxfPoint2 u, DxfPoint2 v, double t0, double t1) {
    // The chord of a parameter step h deviates from the unit circle by 1 - cos(h / 2);
    // the map to the ellipse stretches that by at most its largest semi-axis.
    double uu = u.x * u.x + u.y * u.y, vv = v.x * v.x + v.y * v.y, uv = u.x * v.x + u.y * v.y;
    double largest = std::sqrt((uu + vv) / 2 + std::sqrt((uu - vv) * (uu - vv) / 4 + uv * uv));
    double sweep = t1 - t0;
    double pieces = 1;
    if (largest > chordError_) { pieces = std::ceil(sweep / (2 * std::acos(1 - chordError_ / largest))); }
    if (!std::isfinite(pieces) || pieces > static_cast<double>(maxPieces_)) { return tooManyPieces(); }
    auto n = static_cast<std::size_t>(std::max(1.0, pieces));
    std::vector<DxfPoint2> points;
    points.reserve(n + 1);
    for (std::size_t i = 0; i <= n; ++i) {
        double t = i == n ? t1 : t0 + sweep * static_cast<double>(i) / static_cast<double>(n);
        double c = std::cos(t), s = std::sin(t);
        points.push_back({centre.x + c * u.x + s * v.x, centre.y + c * u.y + s * v.y});
    }
    return polyline(points);
}

Status DxfItemSink::mappedArc(const DxfTransform& map, DxfVector centre, double radius, double from, double to,
                              bool full) {
    to = full ? from + kTwoPi : from + SweepRadians(from, to);
    DxfVector c = map.point(centre);
    DxfVector u3 = map.direction({radius, 0, 0});
    DxfVector v3 = map.direction({0, radius, 0});
    DxfPoint2 u{u3.x, u3.y}, v{v3.x, v3.y};
    double lu = length(u), lv = length(v);
    double turn = u.x * v.y - u.y * v.x;
    bool keepsCircles = lu > 0 && std::abs(lu - lv) <= 1e-9 * lu && std::abs(u.x * v.x + u.y * v.y) <= 1e-9 * lu * lv;
    if (!keepsCircles) { return ellipse({c.x, c.y}, u, v, from, to); }
    double rotation = std::atan2(u.y, u.x);
    if (full || to - from >= kTwoPi) { return circle({c.x, c.y}, lu); }
    if (turn > 0) { return arc({c.x, c.y}, lu, rotation + from, rotation + to); }
    // A mirroring map runs the arc the other way round.
    return arc({c.x, c.y}, lu, rotation - to, rotation - from);
}

Status DxfItemSink::polyline(const std::vector<DxfPoint2>& points) {
    if (points.size() < 2) { return success(); }
    TPoint previous{};
    bool havePrevious = false;
    for (const DxfPoint2& p : points) {
        auto x = toFixed(p.x), y = toFixed(p.y);
        if (!x || !y) { return outOfRange(); }
        TPoint here{*x, *y};
        if (havePrevious && !(here == previous)) {
            TItem item;
            item.kind = DxfKind::Line;
            item.x1 = item.startX = previous.x;
            item.y1 = item.startY = previous.y;
            item.x2 = item.endX = here.x;
            item.y2 = item.endY = here.y;
            if (Status s = append(std::move(item)); !s) { return s; }
        }
        previous = here;
        havePrevious = true;
    }
    return success();
}

}  // namespace bw
