#include "output/ToolpathView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "simulation/ToolpathRenderer.h"

namespace bw::app {

ToolpathView::ToolpathView(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setMinimumSize(120, 120);
    setCursor(Qt::OpenHandCursor);
}

void ToolpathView::setPath(std::shared_ptr<const ToolpathRecording> path, const PathBounds& fitBounds) {
    path_ = std::move(path);
    bounds_ = fitBounds;
    fit();
}

void ToolpathView::setTravelShown(bool shown) {
    travelShown_ = shown;
    stale_ = true;
    update();
}

void ToolpathView::fit() {
    const double margin = 12;  // pixels round the path
    double spanX = bounds_.empty ? 10 : std::max(bounds_.maxX - bounds_.minX, 1e-3);
    double spanY = bounds_.empty ? 10 : std::max(bounds_.maxY - bounds_.minY, 1e-3);
    double across = std::max(1.0, width() - 2 * margin), down = std::max(1.0, height() - 2 * margin);
    mmPerPixel_ = std::max(spanX / across, spanY / down);
    centreX_ = bounds_.empty ? 0 : (bounds_.minX + bounds_.maxX) / 2;
    centreY_ = bounds_.empty ? 0 : (bounds_.minY + bounds_.maxY) / 2;
    stale_ = true;
    update();
}

void ToolpathView::redraw() {
    ToolpathFrame frame;
    frame.width = std::max(1, width());
    frame.height = std::max(1, height());
    frame.mmPerPixel = mmPerPixel_;
    frame.leftMm = centreX_ - frame.width * mmPerPixel_ / 2;
    frame.topMm = centreY_ + frame.height * mmPerPixel_ / 2;
    PixelBuffer pixels = path_ ? RenderToolpath(*path_, frame, travelShown_)
                               : PixelBuffer(frame.width, frame.height, kToolpathBackground);
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        std::copy(pixels.row(y), pixels.row(y) + pixels.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    picture_ = std::move(image);
    stale_ = false;
}

void ToolpathView::paintEvent(QPaintEvent*) {
    if (stale_ || picture_.size() != size()) { redraw(); }
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ToolpathView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (path_) { fit(); }
}

void ToolpathView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) { return; }
    dragging_ = true;
    dragFrom_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void ToolpathView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) { return; }
    QPoint now = event->position().toPoint();
    centreX_ -= (now.x() - dragFrom_.x()) * mmPerPixel_;
    centreY_ += (now.y() - dragFrom_.y()) * mmPerPixel_;
    dragFrom_ = now;
    stale_ = true;
    update();
}

void ToolpathView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) { return; }
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
}

// The point under the pointer stays where it is while the scale changes.
void ToolpathView::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / 120;
    if (steps == 0) { steps = event->angleDelta().y() > 0 ? 1 : event->angleDelta().y() < 0 ? -1 : 0; }
    if (steps == 0) { return; }
    QPointF at = event->position();
    double pointerX = centreX_ + (at.x() - width() / 2.0) * mmPerPixel_;
    double pointerY = centreY_ - (at.y() - height() / 2.0) * mmPerPixel_;
    double factor = std::pow(1.25, -steps);
    mmPerPixel_ = std::clamp(mmPerPixel_ * factor, 1e-5, 1e4);
    centreX_ = pointerX - (at.x() - width() / 2.0) * mmPerPixel_;
    centreY_ = pointerY + (at.y() - height() / 2.0) * mmPerPixel_;
    stale_ = true;
    update();
}

}  // namespace bw::app
