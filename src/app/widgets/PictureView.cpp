#include "widgets/PictureView.h"

#include <QCheckBox>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>

namespace bw::app {

PictureView::PictureView(const QString& objectName, QWidget* parent) : QWidget(parent) { setObjectName(objectName); }

void PictureView::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PictureView::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) { return; }
    QPainter painter(this);
    QSize size = picture_.size();
    if (stretch_) { size.scale(this->size(), Qt::KeepAspectRatio); }
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    // Enlarged pixels stay sharp, so that single pixels can be judged; reductions are smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, size.width() < picture_.width());
    painter.drawImage(target, picture_);
}

void FitView(const QCheckBox* fit, PictureView* view, QScrollArea* scrollBox) {
    const bool stretch = fit->isChecked();
    view->setStretch(stretch);
    scrollBox->setWidgetResizable(false);
    const QSize box = scrollBox->viewport()->size() - QSize(5, 5);
    if (stretch) {
        view->resize(box.expandedTo(QSize(1, 1)));
    } else {
        view->resize(std::max(view->picture().width(), box.width()), std::max(view->picture().height(), box.height()));
    }
}

}  // namespace bw::app
