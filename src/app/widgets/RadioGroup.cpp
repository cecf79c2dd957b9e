#include "widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bw::app {

RadioGroup::RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, int itemIndex,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    setObjectName(objectName);
    auto* column = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName + QString::number(i));
        buttons_->addButton(button, i);
        column->addWidget(button);
    }
    setItemIndex(itemIndex);
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
    QAbstractButton* button = buttons_->button(index);
    if (button != nullptr) {
        button->setChecked(true);
        return;
    }
    // No item: uncheck all, which an exclusive group does not allow directly.
    buttons_->setExclusive(false);
    for (QAbstractButton* each : buttons_->buttons()) { each->setChecked(false); }
    buttons_->setExclusive(true);
}

}  // namespace bw::app
