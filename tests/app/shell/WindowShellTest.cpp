// The window as a user meets it after start-up: pages, hidden tabs, named
// controls, the shipped examples, the input filter, the start point groups
// and the mask preview.

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "fields/DecimalSeparator.h"
#include "jobs/JobRunner.h"
#include "shell/MainWindow.h"

using namespace window_test;

class WindowShellTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(folder_.isValid()); }

    void pagesInOrderWithPcbAndToolsTabsHidden() {
        MainWindow window(folder_.path());
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Beamwright - by Corvane v 1.1"));
        auto* pages = window.findChild<QTabWidget*>("PC1");
        QVERIFY(pages != nullptr);
        QCOMPARE(pages->tabPosition(), QTabWidget::East);
        const QStringList names{"TS1", "TS2", "TS3", "TabSheet8", "TabSheet3"};
        QCOMPARE(pages->count(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(pages->widget(i)->objectName(), names[i]);
            QCOMPARE(pages->isTabVisible(i), names[i] != "TS3" && names[i] != "TabSheet8");
        }
    }

    // The shipped examples load by themselves (the board on the first visit of its
    // page), but only in their shipped size: another file of that name is the user's.
    void theShippedExamplesLoadOnlyInTheirOwnSize() {
        for (const char* name : {"ExampleDXF.dxf", "ExampleBMP.jpg", "ExamplePCB.bmp"}) {
            QVERIFY(QFile::copy(QStringLiteral(BEAMWRIGHT_EXAMPLES_DIR "/") + name, folder_.filePath(name)));
        }
        for (bool shipped : {true, false}) {
            MainWindow window(folder_.path());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTRY_VERIFY(!window.jobs().busy());
            QVERIFY(!window.context().pcb.loaded());
            auto* pages = child<QTabWidget>(window, "PC1");
            for (const char* page : {"TS2", "TS3"}) {
                pages->setCurrentWidget(child<QWidget>(window, page));
                QTest::qWait(50);
                QTRY_VERIFY(!window.jobs().busy());
            }
            QCOMPARE(child<QPushButton>(window, "SBDXF")->isEnabled(), shipped);
            QCOMPARE(child<QPushButton>(window, "SBBMP")->isEnabled(), shipped);
            QCOMPARE(window.context().pcb.loaded(), shipped);
            for (const char* name : {"ExampleDXF.dxf", "ExampleBMP.jpg", "ExamplePCB.bmp"}) {
                writeFile(folder_.filePath(name), "\n", QIODevice::Append);
            }
        }
        for (const char* name : {"ExampleDXF.dxf", "ExampleBMP.jpg", "ExamplePCB.bmp"}) {
            QVERIFY(QFile::remove(folder_.filePath(name)));  // the other tests start without a drawing
        }
    }

    // Typed or pasted, a number keeps only what it may hold; either decimal
    // separator becomes the desktop's; whole-number fields take none.
    void typingRunsTheFilterWithTheCaret() {
        MainWindow window(folder_.path());
        window.show();
        const QChar sep = QChar::fromLatin1(bw::app::systemDecimalSeparator());
        auto* thickness = child<QLineEdit>(window, "EGrubosc");
        thickness->clear();
        thickness->setFocus();
        QTest::keyClicks(thickness, QString("1a2") + sep + sep + "3");
        QCOMPARE(thickness->text(), QString("12") + sep + "3");
        QCOMPARE(thickness->cursorPosition(), 4);
        for (const char* typed : {"2,5", "2.5"}) {
            thickness->selectAll();
            QTest::keyClicks(thickness, typed);
            QCOMPARE(thickness->text(), QString("2") + sep + "5");
        }
        auto* feed = child<QLineEdit>(window, "ESzJD");
        feed->selectAll();
        QTest::keyClicks(feed, "2,5.");
        QCOMPARE(feed->text(), QStringLiteral("25"));
        feed->setText("12 000");
        QCOMPARE(feed->text(), QStringLiteral("12000"));
    }

    void startPointOnOnePageChecksTheOtherGroups() {
        MainWindow window(folder_.path());
        window.show();
        for (const char* page : {"D", "B", "P"}) {
            QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("RBSP7%1").arg(page))->isChecked());
        }
        window.findChild<QRadioButton*>("RBSP3B")->click();
        QCOMPARE(window.context().startPoint, 3);
        for (const char* page : {"D", "B", "P"}) {
            QVERIFY(window.findChild<QRadioButton*>(QStringLiteral("RBSP3%1").arg(page))->isChecked());
            QVERIFY(!window.findChild<QRadioButton*>(QStringLiteral("RBSP7%1").arg(page))->isChecked());
        }
        window.findChild<QRadioButton*>("RBSP5P")->click();
        QCOMPARE(window.context().startPoint, 5);
        QVERIFY(window.findChild<QRadioButton*>("RBSP5D")->isChecked());
    }

    void maskPreviewStartsAsTheCommandLinesAndFollowsTheMask() {
        MainWindow window(folder_.path());
        window.show();
        auto* preview = window.findChild<QPlainTextEdit*>("REPodgladU");
        // At start-up: the command line's preview with the default mask.
        QCOMPARE(preview->toPlainText() + "\n", QString::fromLatin1(runCli({"preview"})).remove('\r'));
        auto* mask = window.findChild<QLineEdit*>("EMaskaU");
        mask->setText("[G] [X] [Y] [Z] [I] [J] [F] (S)[P] (A)[a]");
        QStringList lines = preview->toPlainText().split('\n');
        QCOMPARE(lines.value(0), QStringLiteral("G0 X0.0000 Y0.0000 Z10.0000 F10000 S0 A0.1293"));
        QVERIFY(lines.value(3).endsWith("S30 A1.9143"));
        // "Reset" rebuilds from the fields as they stand, without changing the mask.
        window.findChild<QLineEdit*>("EIloscZerU")->setText("2");
        QCOMPARE(preview->toPlainText().split('\n').value(0), lines.value(0));
        window.findChild<QPushButton*>("SpeedButton2")->click();
        QCOMPARE(preview->toPlainText().split('\n').value(0), QStringLiteral("G0 X0.00 Y0.00 Z10.00 F10000 S0 A0.13"));
        QCOMPARE(mask->text(), QStringLiteral("[G] [X] [Y] [Z] [I] [J] [F] (S)[P] (A)[a]"));
        // Too many decimal places: the nearest accepted count is used, and the user is told.
        window.findChild<QLineEdit*>("EIloscZerU")->setText("25");
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Decimal places: 25 is outside 0..20"));
    }

    void captionsAreEnglishAfterStartUpAndTheHiddenToggleSwitchesThem() {
        MainWindow window(folder_.path());
        window.show();
        auto* open = window.findChild<QPushButton*>("SBODXF");
        auto* pages = window.findChild<QTabWidget*>("PC1");
        auto* picture = window.findChild<QTabWidget*>("PageControl1");
        QCOMPARE(open->text(), QStringLiteral("Open DXF file"));
        QCOMPARE(pages->tabText(3), QStringLiteral("Tools"));
        QCOMPARE(picture->tabText(1), QStringLiteral("Image settings"));
        QCOMPARE(window.findChild<QGroupBox*>("GBPktStartuP")->title(), QStringLiteral("Start point"));
        QCOMPARE(window.context().languageIndex, 1);
        auto* toggle = window.findChild<QPushButton*>("SBJezyk");
        QVERIFY(!toggle->isVisible());
        toggle->setVisible(true);
        toggle->click();
        QCOMPARE(window.context().languageIndex, 0);
        QCOMPARE(open->text(), QString::fromUtf8("Otwórz DXF"));
        QCOMPARE(pages->tabText(3), QString::fromUtf8("Narzędzia"));
        QCOMPARE(toggle->text(), QString::fromUtf8("Język"));
        toggle->click();
        QCOMPARE(window.context().languageIndex, 1);
        QCOMPARE(open->text(), QStringLiteral("Open DXF file"));
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(WindowShellTest)
#include "WindowShellTest.moc"
