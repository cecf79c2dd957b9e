#include "help/HelpPanel.h"

#include <QMouseEvent>

namespace bw::app {

HelpPanel::HelpPanel(const QString& objectName, QWidget* parent) : QLabel(QStringLiteral("Help"), parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setMinimumSize(60, 26);
    setLowered(false);
}

void HelpPanel::setLowered(bool lowered) { setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised); }

bool HelpPanel::isLowered() const { return frameShadow() == QFrame::Sunken; }

void HelpPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) { emit clicked(); }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace bw::app
