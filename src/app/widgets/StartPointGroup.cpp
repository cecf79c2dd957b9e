#include "widgets/StartPointGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "job/StartPoint.h"

namespace bw::app {

StartPointGroup::StartPointGroup(const QString& objectName, QChar pageLetter, QWidget* parent)
    : QGroupBox(QStringLiteral("Start point"), parent) {
    setObjectName(objectName);
    auto* grid = new QGridLayout(this);
    auto* group = new QButtonGroup(this);
    for (int point = 1; point <= 9; ++point) {
        auto* button = new QRadioButton(this);
        button->setObjectName(QStringLiteral("RBSP%1%2").arg(point).arg(pageLetter));
        button->setChecked(point == kDefaultStartPoint);
        grid->addWidget(button, (point - 1) / 3, (point - 1) % 3, Qt::AlignCenter);
        group->addButton(button);
        connect(button, &QRadioButton::clicked, this,
                [this, button] { emit startPointClicked(button->objectName().mid(4, 1).toInt()); });
    }
}

}  // namespace bw::app
