#pragma once
// The instruction windows of the Tools page: `FocusInstructions` (`Form4`),
// the focus calibration in three parts with the two example pictures between
// them, and `GreyscaleInstructions` (`Form5`), the greyscale calibration. Not modal; each showing reloads the texts.

#include <QDialog>

#include <string_view>

class QLabel;
class QScrollArea;
class QTextBrowser;

namespace bw::app {

class FocusInstructions : public QDialog {
    Q_OBJECT
public:
    explicit FocusInstructions(QWidget* parent = nullptr);
    void showInstruction();

    QScrollArea* ScrollBox1;
    QTextBrowser* REHelp;
    QLabel* Image1;
    QTextBrowser* REHelp2;
    QLabel* Image2;
    QTextBrowser* REHelp3;
};

class GreyscaleInstructions : public QDialog {
    Q_OBJECT
public:
    explicit GreyscaleInstructions(QWidget* parent = nullptr);
    void showInstruction();

    QTextBrowser* REHelp;
};

// The help text stored under this file name of the help resources ("" when missing).
QString helpResourceText(std::string_view fileName);

}  // namespace bw::app
