#include "pages/dxf/DrawingView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace bw::app {

DrawingView::DrawingView(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumSize(200, 200);
}

void DrawingView::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void DrawingView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) { painter.drawImage(0, 0, picture_); }
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) { emit leftPressed(event->position().toPoint()); }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event->position().toPoint()); }

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) { emit leftReleased(); }
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) { emit wheelStep(delta > 0 ? 1 : -1); }
    event->accept();
}

}  // namespace bw::app
