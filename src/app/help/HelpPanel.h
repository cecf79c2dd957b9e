#pragma once
// A "Help" panel: raised while help mode is off, lowered while it is armed.

#include <QLabel>

namespace bw::app {

class HelpPanel : public QLabel {
    Q_OBJECT
public:
    HelpPanel(const QString& objectName, QWidget* parent = nullptr);

    void setLowered(bool lowered);
    bool isLowered() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace bw::app
