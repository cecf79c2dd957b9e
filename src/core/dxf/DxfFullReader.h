#pragma once
// The full DXF reading, beside the line scanner (DxfReader): a parser of group
// pairs that reads model-space LINE, CIRCLE, ARC, SPLINE (degree, knots,
// weights), LWPOLYLINE and 2D/3D POLYLINE with bulges, ELLIPSE and INSERT of
// blocks (scale, mirroring, rotation, rows and columns, nesting), maps entity
// coordinate systems to world coordinates, scales $INSUNITS to millimetres and
// leaves out paper space and layers that are off or frozen.
//
// It produces the scanner's TItem kinds: lines as LINE; circles and arcs that
// stay circular as CIRCLE and ARC; non-rational clamped splines as SPLINE; other
// curves as LINE pieces within a chord error. For a file of LINE, CIRCLE, ARC
// and SPLINE entities written the usual way the items equal the scanner's.

#include <cstddef>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "dxf/DxfItemSink.h"
#include "dxf/DxfSkippedKinds.h"
#include "dxf/TItem.h"

namespace bw {

// Curves are cut within 0.01 mm, or within the curve accuracy when that is finer.
inline constexpr double kDxfChordError = 0.01;

// Block nesting deeper than this is refused (a drawing program writes a handful of levels).
inline constexpr int kMaxDxfBlockDepth = 64;

struct DxfFullReadSummary {
    std::size_t skippedSplines = 0;  // splines left out: counts, knots or weights that describe no curve
    DxfSkippedKinds skipped;         // entity kinds not read
};

// Replaces `items` with the cut geometry of `text`. Errors name the line
// ("line 1234: '12.x5' is not a number"), a block referenced but not defined,
// a block that inserts itself, or a drawing of more than kMaxDxfPieces pieces
// (counted before anything is expanded); `items` is then empty. `maxPieces`
// lowers that limit (the fuzz target keeps each input quick).
Result<DxfFullReadSummary> ReadDxfDrawing(std::string_view text, double chordError, std::vector<TItem>& items,
                                          std::size_t maxPieces = kMaxDxfPieces);

// The chord error for a curve accuracy field value (0 or less: not set).
double DxfChordErrorFor(Fixed4 curveAccuracy);

}  // namespace bw
