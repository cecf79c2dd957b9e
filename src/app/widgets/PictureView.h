#pragma once
// A picture view (`I2`, `IP`): draws its bitmap centred, and scaled down or up
// proportionally when stretched. Sits in a scroll area; FitView sizes it.

#include <QImage>
#include <QWidget>

class QCheckBox;
class QScrollArea;

namespace bw::app {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(const QString& objectName, QWidget* parent = nullptr);

    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    bool stretch_ = true;
};

// The view fills the scroll box (less 5 pixels) and stretches when the box is
// checked; otherwise it shows the picture 1:1, at least as large as the box.
void FitView(const QCheckBox* fit, PictureView* view, QScrollArea* scrollBox);

}  // namespace bw::app
