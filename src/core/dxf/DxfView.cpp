#include "dxf/DxfView.h"

namespace bw {

namespace {

constexpr std::int64_t kPixelUnits = 100000000;  // viewScale x mm units -> pixels

// Far beyond any useful zoom; keeps the pan and scale arithmetic inside their integer types.
constexpr std::int64_t kMaxScale = 1000000000000;
constexpr std::int64_t kMaxPan = 1000000000;

std::int64_t roundEven(Int128 numerator, Int128 denominator) {
    return static_cast<std::int64_t>(divRoundEven(numerator, denominator));
}

std::int64_t clamp(std::int64_t v, std::int64_t low, std::int64_t high) { return v < low ? low : v > high ? high : v; }

std::int32_t pan(Int128 numerator) {
    return static_cast<std::int32_t>(clamp(roundEven(numerator, 10), -kMaxPan, kMaxPan));
}

}  // namespace

std::int64_t FitScale(const DrawingBox& box, std::int32_t viewWidth, std::int32_t viewHeight) {
    Int128 dx = box.width().raw;
    Int128 dy = box.height().raw;
    Int128 usableWidth = Int128(viewWidth) - 4;
    Int128 usableHeight = Int128(viewHeight) - 4;
    std::int64_t scale = 0;
    bool haveScale = false;
    if (dx > 0) {
        scale = roundEven(usableWidth * kPixelUnits, dx);
        haveScale = true;
    }
    // s_y replaces the scale when it is smaller: (H - 4) x 10^8 / dy < scale.
    if (dy > 0 && (!haveScale || usableHeight * kPixelUnits < Int128(scale) * dy)) {
        scale = roundEven(usableHeight * kPixelUnits, dy);
        haveScale = true;
    }
    if (!haveScale) { scale = Fixed4::kScale; }
    return clamp(scale, 1, kMaxScale);
}

PixelPoint MapPoint(const DxfView& view, const DrawingBox& box, std::int32_t viewHeight, Fixed4 x, Fixed4 y) {
    PixelPoint p;
    p.x = roundEven(Int128(x.raw - box.minX.raw) * view.viewScale, kPixelUnits) + view.viewPanX + 1;
    p.y = viewHeight - roundEven(Int128(y.raw - box.minY.raw) * view.viewScale, kPixelUnits) + view.viewPanY - 3;
    return p;
}

std::int64_t ScaleLength(const DxfView& view, Fixed4 length) {
    return roundEven(Int128(length.raw) * view.viewScale, Fixed4::kScale);
}

bool ArcVisibleOnScreen(const DxfView& view, Fixed4 radius, Fixed4 startAngle, Fixed4 endAngle) {
    Int128 r = ScaleLength(view, radius);
    Int128 d = Int128(endAngle.raw) - startAngle.raw;
    if (d < 0) { d = -d; }
    if (d == 0) { return false; }
    // 6.28 x r / 360 x d with d = |difference| / 10000 degrees, rounded once.
    Int128 length = divRoundEven(Int128(628) * r * d, Int128(100) * 360 * Fixed4::kScale);
    return length > Fixed4::kScale;
}

void ViewMouseDown(DxfView& view, std::int32_t x, std::int32_t y) {
    view.lastMouseX = x;
    view.lastMouseY = y;
    view.dragging = true;
}

bool ViewMouseMove(DxfView& view, std::int32_t x, std::int32_t y) {
    if (!view.dragging) {
        view.lastMouseX = x;
        view.lastMouseY = y;
        return false;
    }
    // While a redraw runs the move is ignored, so the next one carries the whole distance.
    if (view.redrawBusy) { return false; }
    view.redrawBusy = true;
    view.viewPanX =
        static_cast<std::int32_t>(clamp(std::int64_t(view.viewPanX) + x - view.lastMouseX, -kMaxPan, kMaxPan));
    view.lastMouseX = x;
    view.viewPanY =
        static_cast<std::int32_t>(clamp(std::int64_t(view.viewPanY) + y - view.lastMouseY, -kMaxPan, kMaxPan));
    view.lastMouseY = y;
    return true;
}

void ViewMouseUp(DxfView& view) { view.dragging = false; }

bool ViewWheel(DxfView& view, bool awayFromUser, std::int32_t viewHeight) {
    view.pendingWheelSteps += awayFromUser ? 1 : -1;
    if (view.redrawBusy) { return false; }
    // Each step keeps the drawing point under the last mouse position nearly in place.
    Int128 fromBottom = Int128(viewHeight) - view.lastMouseY;
    while (view.pendingWheelSteps != 0) {
        if (view.pendingWheelSteps < 0) {
            view.viewScale = roundEven(Int128(view.viewScale) * 11, 10);
            view.viewPanX = pan(Int128(view.viewPanX) * 11 - view.lastMouseX);
            view.viewPanY = pan(Int128(view.viewPanY) * 11 + fromBottom);
            ++view.pendingWheelSteps;
        } else {
            view.viewScale = roundEven(Int128(view.viewScale) * 9, 10);
            view.viewPanX = pan(Int128(view.viewPanX) * 9 + view.lastMouseX);
            view.viewPanY = pan(Int128(view.viewPanY) * 9 - fromBottom);
            --view.pendingWheelSteps;
        }
        view.viewScale = clamp(view.viewScale, 1, kMaxScale);  // never a zero scale, never an overflow
    }
    view.redrawBusy = true;
    return true;
}

void RedrawFinished(DxfView& view) { view.redrawBusy = false; }

}  // namespace bw
