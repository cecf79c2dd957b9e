#pragma once
// Points on circles and arcs. Degrees become radians with the factor 0.01745329
// (not the exact pi/180) everywhere in the DXF engine: the end points, the box
// and the tracing all agree on that.

#include "common/Fixed4.h"
#include "dxf/DrawingBox.h"
#include "dxf/TItem.h"

namespace bw {

double DxfRadians(Fixed4 angle);

// (cx + radius cos a, cy + radius sin a), each coordinate rounded to a whole unit.
TPoint ArcPoint(Fixed4 cx, Fixed4 cy, Fixed4 radius, Fixed4 angle);

// An ARC item's end points from its centre, radius and angles. Arcs are traced
// clockwise, from the end angle's point to the start angle's.
void SetArcEndPoints(TItem& item);

// The box of an arc sampled counter-clockwise from its start angle in steps of
// one degree, the last step shortened to end exactly at the end angle.
DrawingBox ArcBox(const TItem& arc);

}  // namespace bw
