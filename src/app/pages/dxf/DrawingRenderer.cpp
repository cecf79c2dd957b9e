#include "pages/dxf/DrawingRenderer.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "dxf/DxfView.h"
#include "dxf/Spline.h"

namespace bw::app {

namespace {

// Zoomed far in, mapped points leave the int range that QPainter takes.
constexpr std::int64_t kPixelLimit = 1 << 24;

int clampPixel(std::int64_t value) { return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit)); }

QPoint toPoint(PixelPoint p) { return QPoint(clampPixel(p.x), clampPixel(p.y)); }

class EntityPainter {
public:
    EntityPainter(const JobContext& ctx, QPainter& painter, int height)
        : ctx_(ctx), dxf_(ctx.dxf), painter_(painter), height_(height) {}

    void draw(const TItem& item) {
        switch (item.kind) {
            case DxfKind::Circle: painter_.drawEllipse(circleRect(item)); break;
            case DxfKind::Line: painter_.drawLine(map(item.x1, item.y1), map(item.x2, item.y2)); break;
            case DxfKind::Arc: drawArc(item); break;
            case DxfKind::Spline: drawSpline(item); break;
            default: break;
        }
    }

private:
    QPoint map(Fixed4 x, Fixed4 y) const { return toPoint(MapPoint(dxf_.view, dxf_.drawingBox, height_, x, y)); }

    // The circle's rectangle, from the mapped (x - r, y - r) to the mapped (x + r, y + r).
    QRect circleRect(const TItem& item) const {
        QPoint a = map(item.x - item.radius, item.y - item.radius);
        QPoint b = map(item.x + item.radius, item.y + item.radius);
        return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
    }

    void drawArc(const TItem& item) {
        // Only arcs longer than one pixel on screen are drawn.
        if (!ArcVisibleOnScreen(dxf_.view, item.radius, item.startAngle, item.endAngle)) { return; }
        // Counter-clockwise on screen from the start angle's radial to the end angle's.
        double start = item.startAngle.toDouble();
        double span = std::fmod(item.endAngle.toDouble() - start, 360.0);
        if (span <= 0) { span += 360.0; }
        painter_.drawArc(circleRect(item), int(std::lround(start * 16)), int(std::lround(span * 16)));
    }

    void drawSpline(const TItem& item) {
        auto pieces = SplinePieces(item, ctx_.params.segmentLength);
        if (!pieces || *pieces <= 0) { return; }
        SplineEvaluator spline(item);
        QPolygon polyline;
        polyline.reserve(int(*pieces) + 1);
        for (std::int64_t j = 0; j <= *pieces; ++j) {
            TPoint p = spline.at(TraceParameter(item.knots, j, *pieces));
            polyline << map(p.x, p.y);
        }
        painter_.drawPolyline(polyline);
    }

    const JobContext& ctx_;
    const DxfState& dxf_;
    QPainter& painter_;
    int height_;
};

}  // namespace

void DrawDrawing(const JobContext& ctx, QImage& image, int width, int height, const RenderProgress& progress) {
    image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    EntityPainter entities(ctx, painter, height);
    const std::size_t count = ctx.dxf.dxfItems.size();
    for (std::size_t i = 0; i < count; ++i) {
        entities.draw(ctx.dxf.dxfItems[i]);
        if (progress) { progress(i, count); }
    }
}

}  // namespace bw::app
