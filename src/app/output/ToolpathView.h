#pragma once
// The toolpath of the generated program, drawn as the command line's PNG draws
// it: burnt path in grey by power, travel moves in light blue. Drag with the
// left button to pan, turn the wheel to zoom about the pointer; a new path is
// shown whole.

#include <QImage>
#include <QWidget>

#include <memory>

#include "simulation/ProgramSimulator.h"
#include "simulation/ToolpathRecording.h"

namespace bw::app {

class ToolpathView : public QWidget {
    Q_OBJECT
public:
    explicit ToolpathView(const QString& objectName, QWidget* parent = nullptr);

    // The path and the extents to fit (the burnt path, or every move when nothing burns).
    void setPath(std::shared_ptr<const ToolpathRecording> path, const PathBounds& fitBounds);
    void setTravelShown(bool shown);
    // Shows the whole path again.
    void fit();
    // The picture as last drawn (for tests and screenshots).
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void redraw();

    std::shared_ptr<const ToolpathRecording> path_;
    PathBounds bounds_;
    bool travelShown_ = true;
    double centreX_ = 0, centreY_ = 0;  // mm at the view's centre
    double mmPerPixel_ = 1;
    QPoint dragFrom_;
    bool dragging_ = false;
    bool stale_ = true;
    QImage picture_;
};

}  // namespace bw::app
