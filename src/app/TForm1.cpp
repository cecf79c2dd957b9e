#include "TForm1.h"

#include <QTabWidget>

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Beamwright - by Corvane v 1.1"));
    auto* pages = new QTabWidget(this);
    pages->setObjectName("PC1");
    pages->setTabPosition(QTabWidget::East);
    setCentralWidget(pages);
    resize(1280, 800);
}
