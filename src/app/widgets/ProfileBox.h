#pragma once
// A page's profile chooser: the drop-down list of saved profiles with its
// save and delete buttons.

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace bw::app {

class ProfileBox : public QGroupBox {
    Q_OBJECT
public:
    ProfileBox(const QString& objectName, const QString& caption, const QString& listName, const QString& saveName,
               const QString& deleteName, QWidget* parent = nullptr);

    QComboBox* list;
    QPushButton* saveButton;
    QPushButton* deleteButton;
};

}  // namespace bw::app
