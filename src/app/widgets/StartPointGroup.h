#pragma once
// The 3 x 3 start point buttons of one page ("RBSP1D" ... "RBSP9D", the last
// letter naming the page). The window keeps the three pages' groups in step.

#include <QGroupBox>

namespace bw::app {

class StartPointGroup : public QGroupBox {
    Q_OBJECT
public:
    StartPointGroup(const QString& objectName, QChar pageLetter, QWidget* parent = nullptr);

signals:
    // The start point taken from the clicked button's name (its fifth character).
    void startPointClicked(int startPoint);
};

}  // namespace bw::app
