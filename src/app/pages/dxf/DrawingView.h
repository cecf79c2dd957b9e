#pragma once
// The drawing view `I1`: shows the rendered preview image at its top-left
// corner and reports mouse presses, moves, releases and wheel turns, which the
// DXF page turns into pan and zoom.

#include <QImage>
#include <QWidget>

namespace bw::app {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    explicit DrawingView(const QString& objectName, QWidget* parent = nullptr);

    // The picture the view shows ("DXFZ" hands a new one over).
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

signals:
    void leftPressed(QPoint position);
    void mouseMoved(QPoint position);
    void leftReleased();
    // +1 for a turn away from the user, -1 for a turn towards the user; one step per report.
    void wheelStep(int step);
    // The view changed its size (the window was resized).
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage picture_;
};

}  // namespace bw::app
