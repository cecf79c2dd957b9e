#pragma once
// The box round a drawing as traced (sampled arcs and spline trace points
// included). The generator and the chaining work relative to its lower-left
// corner.

#include "common/Fixed4.h"

namespace bw {

struct DrawingBox {
    Fixed4 minX;  // mm, drawing coordinates
    Fixed4 maxX;  // mm
    Fixed4 minY;  // mm
    Fixed4 maxY;  // mm

    Fixed4 width() const { return maxX - minX; }
    Fixed4 height() const { return maxY - minY; }
    friend constexpr bool operator==(const DrawingBox&, const DrawingBox&) = default;
};

}  // namespace bw
