#include "widgets/ProfileBox.h"

#include <QHBoxLayout>

#include "widgets/FormControls.h"

namespace bw::app {

ProfileBox::ProfileBox(const QString& objectName, const QString& caption, const QString& listName,
                       const QString& saveName, const QString& deleteName, QWidget* parent)
    : QGroupBox(caption, parent) {
    setObjectName(objectName);
    list = new QComboBox(this);
    list->setObjectName(listName);
    list->setMinimumWidth(140);
    saveButton = makeButton(saveName, QStringLiteral("Save"), this);
    deleteButton = makeButton(deleteName, QStringLiteral("Delete"), this);
    auto* row = new QHBoxLayout(this);
    row->addWidget(list, 1);
    row->addWidget(saveButton);
    row->addWidget(deleteButton);
}

}  // namespace bw::app
