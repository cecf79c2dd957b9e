#pragma once
// The DXF page's state that outlives a job: the entities of the loaded drawing,
// its box and its splines' points, and the view's scale and pan.

#include <string>
#include <vector>

#include "dxf/DrawingBox.h"
#include "dxf/DxfView.h"
#include "dxf/SplineTrace.h"
#include "dxf/TItem.h"

namespace bw {

struct DxfState {
    std::vector<TItem> dxfItems;  // entities of the last load, in file order
    DrawingBox drawingBox;        // box of the last load that found entities
    SplineTrace splineTrace;      // the splines' points, worked out with the box
    DxfView view;                 // scale, pan and mouse state of the drawing view
    std::string dxfFileName;      // path of the file to read
};

}  // namespace bw
