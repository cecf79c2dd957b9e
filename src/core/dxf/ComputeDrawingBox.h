#pragma once
// The box round a drawing as it will be traced: circles by their squares, lines
// by their ends, arcs by their one-degree samples, splines by their trace
// points. The first entity sets the box instead of extending it.

#include <vector>

#include "common/Result.h"
#include "dxf/DrawingBox.h"
#include "dxf/DxfState.h"
#include "dxf/DxfStatus.h"
#include "dxf/TItem.h"
#include "job/JobParameters.h"

namespace bw {

// The box of `items`, reporting "<extremes text>: N%" as it goes. Fails when a
// spline cannot be cut into pieces of `segmentLength` (see SplinePieces). The
// splines' points go into `trace` when one is given.
Result<DrawingBox> DrawingBoxOf(const std::vector<TItem>& items, Fixed4 segmentLength, int languageIndex,
                                const DxfStatusCallback& status, SplineTrace* trace = nullptr);

// Recomputes dxf.drawingBox (and the splines' points) from dxf.dxfItems with params.segmentLength and fits
// the view's scale to params.sourceWidthPx x sourceHeightPx. On an error box and
// scale are kept.
Status ComputeDrawingBox(DxfState& dxf, const JobParameters& params, int languageIndex,
                         const DxfStatusCallback& status);

}  // namespace bw
