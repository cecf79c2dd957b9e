#include <QTabWidget>
#include <QtTest>

#include "TForm1.h"

class WindowSmokeTest : public QObject {
    Q_OBJECT
private slots:
    void windowHasTitleAndPageControl() {
        TForm1 window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Beamwright - by Corvane v 1.1"));
        auto* pages = window.findChild<QTabWidget*>("PC1");
        QVERIFY(pages != nullptr);
        QCOMPARE(pages->tabPosition(), QTabWidget::East);
    }
};

QTEST_MAIN(WindowSmokeTest)
#include "WindowSmokeTest.moc"
