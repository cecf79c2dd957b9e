#pragma once
// A group box of radio buttons with one item index, like a radio group of the
// form designer (the extension choice "*.g", "*.gcode", ...).

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace bw::app {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& objectName, const QString& caption, const QStringList& items, int itemIndex,
               QWidget* parent = nullptr);

    // -1 when no item is checked.
    int itemIndex() const;
    void setItemIndex(int index);

signals:
    void itemClicked(int index);

private:
    QButtonGroup* buttons_;
};

}  // namespace bw::app
