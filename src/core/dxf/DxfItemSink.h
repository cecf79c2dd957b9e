#pragma once
// Where the full reader's geometry becomes TItems: lines, exact circles and
// arcs, and curves that are no circle after mapping, cut into straight pieces
// within a chord error. Coordinates arrive as doubles in millimetres on the XY
// plane; each is rounded once to a Fixed4 unit.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "dxf/DxfTransform.h"
#include "dxf/TItem.h"

namespace bw {

// A drawing that expands to more items than this is refused before anything is cut.
inline constexpr std::size_t kMaxDxfPieces = 10000000;

struct DxfPoint2 {
    double x = 0, y = 0;
};

class DxfItemSink {
public:
    DxfItemSink(std::vector<TItem>& items, double chordError, std::size_t maxPieces)
        : items_(items), chordError_(chordError), maxPieces_(maxPieces) {}

    double chordError() const { return chordError_; }
    std::size_t maxPieces() const { return maxPieces_; }

    Status line(DxfPoint2 a, DxfPoint2 b);
    Status circle(DxfPoint2 centre, double radius);
    // Counter-clockwise from `fromRadians` to `toRadians` (a full turn when they differ by 2 pi or more).
    Status arc(DxfPoint2 centre, double radius, double fromRadians, double toRadians);
    // centre + cos(t) u + sin(t) v for t from t0 to t1 (t1 > t0), in pieces within the chord error.
    Status ellipse(DxfPoint2 centre, DxfPoint2 u, DxfPoint2 v, double t0, double t1);
    // A circular arc (counter-clockwise, in the entity's own plane, radians) mapped
    // by `map` to the XY plane: exact when the map keeps circles, else in pieces.
    Status mappedArc(const DxfTransform& map, DxfVector centre, double radius, double from, double to, bool full);
    // Straight pieces through the points of a curve (already within the chord error).
    Status polyline(const std::vector<DxfPoint2>& points);

    // Appends one finished item, counting it against the piece limit.
    Status append(TItem item);
    // A new zeroed item at the end to fill in place; nullptr past the piece limit.
    TItem* add() {
        if (items_.size() >= maxPieces_) { return nullptr; }
        return &items_.emplace_back();
    }

    // Rounds a coordinate, refusing one beyond the reader's value range.
    static Result<Fixed4> toFixed(double millimetres);
    Error tooManyPieces() const;

private:
    std::vector<TItem>& items_;
    double chordError_;
    std::size_t maxPieces_;
};

// The counter-clockwise sweep from one angle to another, in (0, 2 pi]; 0 for angles beyond any use.
double SweepRadians(double from, double to);

}  // namespace bw
