#pragma once
// The help popup: borderless and light yellow, centred on the screen, sized to
// its topic's text (wide texts widen it, long ones stop at the screen height
// less 35 pixels and scroll). A click on it or anywhere else closes it.

#include <QWidget>

class QLabel;
class QTextBrowser;

namespace bw::app {

class HelpPopup : public QWidget {
    Q_OBJECT
public:
    explicit HelpPopup(QWidget* parent = nullptr);

    // Shows the topic's rich text (HTML), sized and centred.
    void showTopic(const QString& html);
    QTextBrowser* REHelp;
    QLabel* I1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace bw::app
