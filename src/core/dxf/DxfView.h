#pragma once
// The drawing view's arithmetic without any toolkit: fitting the scale, mapping
// drawing points to pixels, and the pan and zoom steps of the mouse handlers.
// The window draws; these functions decide where and when.

#include <cstdint>

#include "common/Fixed4.h"
#include "dxf/DrawingBox.h"

namespace bw {

struct DxfView {
    std::int64_t viewScale = 0;          // pixels per mm x 10000
    std::int32_t viewPanX = 0;           // offset of the drawing in the view, pixels; 0 after each load
    std::int32_t viewPanY = 0;           // pixels
    bool redrawBusy = false;             // a redraw job is running
    bool dragging = false;               // the left button went down on the view and is not yet up
    std::int32_t lastMouseX = 0;         // last pointer position taken over, pixels
    std::int32_t lastMouseY = 0;         // pixels
    std::int32_t pendingWheelSteps = 0;  // wheel steps not yet applied; positive zooms out
};

struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

// The scale at which the box fills a view of width x height pixels less four.
// A box without width (or height) is fitted by its other side alone; a single
// point gets 1 pixel per mm. The scale never drops below 1 (10000 = 1 pixel/mm).
std::int64_t FitScale(const DrawingBox& box, std::int32_t viewWidth, std::int32_t viewHeight);

// Where the drawing point (x, y) lands in a view of the given height: the box's
// lower-left corner lies at pixel (1, height - 3) with zero pan, Y grows upwards.
PixelPoint MapPoint(const DxfView& view, const DrawingBox& box, std::int32_t viewHeight, Fixed4 x, Fixed4 y);
// A length in mm as Fixed4 pixels (radius of a circle on screen).
std::int64_t ScaleLength(const DxfView& view, Fixed4 length);

// An arc is drawn only when its length on screen exceeds one pixel: with r its
// radius in Fixed4 pixels and d the stored angle difference in degrees,
// Round(6.28 x r / 360 x d) > 10000.
bool ArcVisibleOnScreen(const DxfView& view, Fixed4 radius, Fixed4 startAngle, Fixed4 endAngle);

// Mouse handlers. Each answers true when a redraw job is to be started; the
// caller then starts it and calls RedrawFinished when it has ended.
void ViewMouseDown(DxfView& view, std::int32_t x, std::int32_t y);
bool ViewMouseMove(DxfView& view, std::int32_t x, std::int32_t y);
void ViewMouseUp(DxfView& view);
// One wheel report: away from the user zooms out, towards the user zooms in.
bool ViewWheel(DxfView& view, bool awayFromUser, std::int32_t viewHeight);
void RedrawFinished(DxfView& view);

}  // namespace bw
