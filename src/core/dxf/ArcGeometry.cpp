#include "dxf/ArcGeometry.h"

#include <cmath>

namespace bw {

namespace {

constexpr std::int64_t kOneDegree = 10000;
constexpr std::int64_t kFullTurn = 3600000;

void extend(DrawingBox& box, TPoint p) {
    if (p.x < box.minX) { box.minX = p.x; }
    if (p.x > box.maxX) { box.maxX = p.x; }
    if (p.y < box.minY) { box.minY = p.y; }
    if (p.y > box.maxY) { box.maxY = p.y; }
}

}  // namespace

double DxfRadians(Fixed4 angle) { return static_cast<double>(angle.raw) * 0.01745329 / 10000.0; }

TPoint ArcPoint(Fixed4 cx, Fixed4 cy, Fixed4 radius, Fixed4 angle) {
    double a = DxfRadians(angle);
    double r = static_cast<double>(radius.raw);
    return TPoint{Fixed4::fromRaw(roundEven(static_cast<double>(cx.raw) + r * std::cos(a))),
                  Fixed4::fromRaw(roundEven(static_cast<double>(cy.raw) + r * std::sin(a)))};
}

DrawingBox ArcBox(const TItem& arc) {
    TPoint first = ArcPoint(arc.x, arc.y, arc.radius, arc.startAngle);
    DrawingBox box{first.x, first.x, first.y, first.y};
    std::int64_t sweep = arc.endAngle.raw - arc.startAngle.raw;
    if (arc.endAngle < arc.startAngle) { sweep += kFullTurn; }
    std::int64_t angle = arc.startAngle.raw;
    while (sweep >= 0) {
        extend(box, ArcPoint(arc.x, arc.y, arc.radius, Fixed4::fromRaw(angle)));
        if (sweep > 0 && sweep < kOneDegree) {
            angle += sweep;
            sweep = 0;
        } else {
            angle += kOneDegree;
            sweep -= kOneDegree;
        }
    }
    return box;
}

void SetArcEndPoints(TItem& item) {
    TPoint end = ArcPoint(item.x, item.y, item.radius, item.startAngle);
    TPoint start = ArcPoint(item.x, item.y, item.radius, item.endAngle);
    item.endX = end.x;
    item.endY = end.y;
    item.startX = start.x;
    item.startY = start.y;
    item.clockwise = true;
}

}  // namespace bw
