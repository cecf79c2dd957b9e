#include "dxf/ComputeDrawingBox.h"

#include <utility>

#include "dxf/ArcGeometry.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfTexts.h"
#include "dxf/DxfView.h"
#include "dxf/Spline.h"
#include "i18n/MessageTexts.h"

namespace bw {

namespace {

// Adds points to the box; the first point after `setNext()` replaces it.
class BoxBuilder {
public:
    void setNext() { setting_ = true; }
    // Only the first entity sets the box (an arc that sets it replaces it instead).
    void endEntity() { setting_ = false; }
    void add(TPoint p) {
        if (setting_) {
            box_ = DrawingBox{p.x, p.x, p.y, p.y};
            setting_ = false;
            return;
        }
        if (p.x < box_.minX) { box_.minX = p.x; }
        if (p.x > box_.maxX) { box_.maxX = p.x; }
        if (p.y < box_.minY) { box_.minY = p.y; }
        if (p.y > box_.maxY) { box_.maxY = p.y; }
    }
    bool allZero() const { return box_ == DrawingBox{}; }
    // Whether adding points anywhere in the square could change nothing.
    bool holdsSquare(Fixed4 cx, Fixed4 cy, Fixed4 half) const {
        return !setting_ && !allZero() && box_.minX <= cx - half && cx + half <= box_.maxX && box_.minY <= cy - half &&
               cy + half <= box_.maxY;
    }
    void replace(const DrawingBox& box) { box_ = box; }
    const DrawingBox& box() const { return box_; }

private:
    DrawingBox box_;
    bool setting_ = false;
};

}  // namespace

Result<DrawingBox> DrawingBoxOf(const std::vector<TItem>& items, Fixed4 segmentLength, int languageIndex,
                                const DxfStatusCallback& status, SplineTrace* trace) {
    // Counted before any spline is evaluated: a drawing whose splines alone exceed
    // what a program may hold is refused at once, not after minutes of tracing.
    std::int64_t splinePieces = 0;
    for (const TItem& item : items) {
        if (item.kind != DxfKind::Spline) { continue; }
        Result<std::int64_t> pieces = SplinePieces(item, segmentLength);
        if (!pieces) { return Error{pieces.error()}; }
        splinePieces += *pieces;
        if (splinePieces > kMaxDxfMoves) {
            std::string message = "The drawing's splines need more than ";
            appendInteger(message, kMaxDxfMoves);
            return Error{message + " straight pieces; increase the segment length"};
        }
    }
    const std::string_view text = messageText(Message::CalculatingExtremes, languageIndex);
    if (status) { status(std::string(text) + ": 0%"); }
    BoxBuilder builder;
    if (trace) { trace->reset(items.size(), segmentLength); }
    std::string lastReport;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TItem& item = items[i];
        if (i == 0) { builder.setNext(); }
        switch (item.kind) {
            case DxfKind::Circle:
                builder.add(TPoint{item.x - item.radius, item.y - item.radius});
                builder.add(TPoint{item.x + item.radius, item.y + item.radius});
                break;
            case DxfKind::Line:
                builder.add(TPoint{item.x1, item.y1});
                builder.add(TPoint{item.x2, item.y2});
                break;
            case DxfKind::Arc: {
                // An arc inside the box so far cannot widen it: its points are worked
                // out (one per degree) only when it reaches beyond. One unit more than
                // the radius covers the rounding of a point; the limit keeps the
                // floating-point sums exact enough for that.
                constexpr std::int64_t kExactLimit = std::int64_t(1) << 50;
                const Fixed4 half = item.radius + Fixed4::fromRaw(1);
                if (item.radius.raw >= 0 && item.radius.raw < kExactLimit && item.x.raw > -kExactLimit &&
                    item.x.raw < kExactLimit && item.y.raw > -kExactLimit && item.y.raw < kExactLimit &&
                    builder.holdsSquare(item.x, item.y, half)) {
                    break;
                }
                DrawingBox arc = ArcBox(item);
                if (builder.allZero()) {
                    builder.replace(arc);
                } else {
                    builder.add(TPoint{arc.minX, arc.minY});
                    builder.add(TPoint{arc.maxX, arc.maxY});
                }
                break;
            }
            case DxfKind::Spline: {
                Result<std::int64_t> pieces = SplinePieces(item, segmentLength);
                if (!pieces) { return Error{pieces.error()}; }
                SplineEvaluator spline(item);
                auto pointAt = [&](std::int64_t j) { return spline.at(TraceParameter(item.knots, j, *pieces)); };
                if (i == 0) { builder.add(pointAt(0)); }
                const TPoint* kept = trace ? trace->keep(i, *pieces, pointAt) : nullptr;
                for (std::int64_t j = 0; *pieces > 0 && j <= *pieces; ++j) { builder.add(kept ? kept[j] : pointAt(j)); }
                break;
            }
            default: break;
        }
        builder.endEntity();
        if (status) {
            std::string report = DxfPercentText(text, i, items.size());
            if (report != lastReport) {
                status(report);
                lastReport = std::move(report);
            }
        }
    }
    return builder.box();
}

Status ComputeDrawingBox(DxfState& dxf, const JobParameters& params, int languageIndex,
                         const DxfStatusCallback& status) {
    SplineTrace trace;
    Result<DrawingBox> box = DrawingBoxOf(dxf.dxfItems, params.segmentLength, languageIndex, status, &trace);
    if (!box) { return Error{box.error()}; }
    dxf.drawingBox = *box;
    dxf.splineTrace = std::move(trace);
    dxf.view.viewScale = FitScale(*box, params.sourceWidthPx, params.sourceHeightPx);
    return success();
}

}  // namespace bw
