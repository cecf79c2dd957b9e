// The Tools page's calibration commands with their dialog, the instruction
// windows, and the two-click help mode, driven as a user would.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "WindowTestSupport.h"
#include "help/HelpMode.h"
#include "help/HelpPanel.h"
#include "help/HelpPopup.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "pages/dxf/DxfController.h"
#include "pages/tools/CalibrationController.h"
#include "pages/tools/CalibrationDialog.h"
#include "pages/tools/InstructionWindows.h"
#include "shell/MainWindow.h"
#include "shell/ProfileController.h"

using namespace window_test;

class ToolsHelpTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(folder_.isValid());
        form_ = new MainWindow(folder_.path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
        QTRY_VERIFY(!form_->jobs().busy());
    }
    void cleanup() {
        delete form_;
        form_ = nullptr;
    }

    void calibrationDialogCopiesSavesOrCancels() {
        bw::app::CalibrationDialog* dialog = form_->calibration().dialog();
        // Copy: the coarse program on the clipboard, then "OK".
        answerDialog(1);
        child<QPushButton>(*form_, "SpeedButton10")->click();
        QCOMPARE(answered_, 1);
        QCOMPARE(dialog->Choice, 1);
        const QByteArray coarse = runCli({"calibrate", "coarse"});
        QVERIFY(coarse.startsWith(";(Header)\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), coarse);
        QCOMPARE(takeMessages(*form_), QStringList{"OK"});

        // Save: the fine squares around base Z 20 under the injected name, with "*.nc" appended.
        child<QRadioButton>(*form_, "CBKwadraty")->click();
        child<QLineEdit>(*form_, "Edit8")->setText("20");
        child<QRadioButton>(*form_, "RGRozszerzenie2")->click();
        QString filter;
        form_->delivery().askSaveFileName = [&](const QString& f) {
            filter = f;
            return folder_.filePath("focus");
        };
        answerDialog(2);
        child<QPushButton>(*form_, "SpeedButton8")->click();
        QCOMPARE(filter, QStringLiteral("G-CODE (*.nc)"));
        QCOMPARE(readAll(folder_.filePath("focus.nc")), runCli({"calibrate", "fine", "--squares", "--base-z", "20"}));
        QCOMPARE(takeMessages(*form_), QStringList{"OK"});

        // Cancel, and closing by the frame: nothing copied, nothing saved, no message.
        QGuiApplication::clipboard()->setText("untouched");
        answerDialog(3);
        child<QPushButton>(*form_, "SpeedButton11")->click();
        QCOMPARE(dialog->Choice, 3);
        answerDialog(0);
        child<QPushButton>(*form_, "SpeedButton11")->click();
        QCOMPARE(dialog->Choice, 3);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
        QVERIFY(takeMessages(*form_).isEmpty());
    }

    void helpOnACalibrationButtonShowsItsTopicAndProducesNothing() {
        auto* panel = child<bw::app::HelpPanel>(*form_, "PHelpU");
        QTest::mouseClick(panel, Qt::LeftButton);
        QVERIFY(form_->help().armed());
        QVERIFY(panel->isLowered());
        QCOMPARE(child<QLineEdit>(*form_, "Edit1")->cursor().shape(), Qt::WhatsThisCursor);

        answerDialog(1);  // would answer the dialog if the command ran
        child<QPushButton>(*form_, "SpeedButton10")->click();
        QCOMPARE(answered_, -1);
        bw::app::HelpPopup* popup = form_->help().popup();
        QVERIFY(popup->isVisible());
        QVERIFY(popup->REHelp->toPlainText().startsWith("Coarse calibration"));
        QVERIFY(!form_->help().armed());
        QVERIFY(!panel->isLowered());
        QCOMPARE(child<QLineEdit>(*form_, "Edit1")->cursor().shape(), Qt::ArrowCursor);
        popup->close();
        cancelPendingAnswer();

        // Help mode off: the button works again.
        answerDialog(3);
        child<QPushButton>(*form_, "SpeedButton10")->click();
        QCOMPARE(answered_, 3);
    }

    void aMouseClickInHelpModeIsTakenBeforeTheControlActs() {
        form_->findChild<QTabWidget*>("PC1")->setCurrentWidget(child<QWidget>(*form_, "TabSheet8"));
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "PHelpU"), Qt::LeftButton);
        auto* squares = child<QRadioButton>(*form_, "CBKwadraty");
        const bool before = squares->isChecked();
        QTest::mouseClick(squares, Qt::LeftButton);
        QCOMPARE(squares->isChecked(), before);
        QVERIFY(form_->help().popup()->REHelp->toPlainText().startsWith("Squares"));
        form_->help().popup()->close();

        // A label shows its field's topic.
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "PHelpU"), Qt::LeftButton);
        QTest::mouseClick(child<QWidget>(*form_, "Label37"), Qt::LeftButton);
        QVERIFY(form_->help().popup()->REHelp->toPlainText().startsWith("Base Z [mm]"));
        form_->help().popup()->close();

        // The instruction button opens its window and leaves help mode on.
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "PHelpU"), Qt::LeftButton);
        child<QPushButton>(*form_, "SpeedButton3")->click();
        QVERIFY(form_->calibration().focusInstruction()->isVisible());
        QVERIFY(form_->calibration().focusInstruction()->REHelp->toPlainText().contains("FOCAL LENGTH CALIBRATION."));
        QVERIFY(form_->help().armed());
        // A second panel click ends help mode without a topic.
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "PHelpU"), Qt::LeftButton);
        QVERIFY(!form_->help().armed());
        child<QPushButton>(*form_, "SpeedButton9")->click();
        QVERIFY(form_->calibration().greyInstruction()->REHelp->toPlainText().contains("GRAY SCALE CALIBRATION."));
    }

    void aTabClickInHelpModeEndsItAndStillSwitches() {
        auto* pages = child<QTabWidget>(*form_, "PC1");
        pages->setCurrentWidget(child<QWidget>(*form_, "TS2"));
        // Armed from the third BMP/JPG panel: only PHelpBMP looks pressed.
        pages->currentWidget()->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "Panel2"), Qt::LeftButton);
        QVERIFY(form_->help().armed());
        QVERIFY(child<bw::app::HelpPanel>(*form_, "PHelpBMP")->isLowered());
        QVERIFY(!child<bw::app::HelpPanel>(*form_, "Panel2")->isLowered());

        QTabBar* bar = pages->tabBar();
        const int target = pages->indexOf(child<QWidget>(*form_, "TabSheet3"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(target).center());
        QCOMPARE(pages->currentIndex(), target);
        QVERIFY(!form_->help().armed());
        QVERIFY(!form_->help().popup()->isVisible());
        QVERIFY(!child<bw::app::HelpPanel>(*form_, "PHelpBMP")->isLowered());
    }

    void helpModeMarksControlsAndStopsTheDxfButtons() {
        auto* pages = child<QTabWidget>(*form_, "PC1");
        pages->setCurrentWidget(child<QWidget>(*form_, "TS1"));
        QTest::mouseClick(child<bw::app::HelpPanel>(*form_, "PHelpDXF"), Qt::LeftButton);
        // Both DXF panels look pressed; controls with a topic are green, others keep their colour.
        QVERIFY(child<bw::app::HelpPanel>(*form_, "PHelpDXF1")->isLowered());
        QCOMPARE(child<QWidget>(*form_, "Label10")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QVERIFY(child<QWidget>(*form_, "LPrzejsciaD")->palette().color(QPalette::WindowText) == QColor(0, 128, 0));
        QVERIFY(child<QWidget>(*form_, "LMakerD")->palette().color(QPalette::WindowText) != QColor(0, 128, 0));

        bool asked = false;
        form_->dxf().askOpenFileName = [&](const QString&) {
            asked = true;
            return QString();
        };
        QTest::mouseClick(child<QPushButton>(*form_, "SBODXF"), Qt::LeftButton);
        QVERIFY(!asked);
        QVERIFY(form_->help().popup()->REHelp->toPlainText().startsWith("Open DXF file"));
        QVERIFY(!child<bw::app::HelpPanel>(*form_, "PHelpDXF1")->isLowered());
        QVERIFY(child<QWidget>(*form_, "Label10")->palette().color(QPalette::WindowText) != QColor(0, 128, 0));
        // The popup is centred on the screen and wider than its text.
        bw::app::HelpPopup* popup = form_->help().popup();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(std::abs(popup->geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(popup->height() <= screen.height() - 35);
        popup->close();

        QTest::mouseClick(child<QPushButton>(*form_, "SBODXF"), Qt::LeftButton);
        QVERIFY(asked);
    }

    void helpModeStopsEveryCommandHoweverItIsTriggered() {
        auto* pages = child<QTabWidget>(*form_, "PC1");
        pages->setCurrentWidget(child<QWidget>(*form_, "TS1"));
        auto* panel = child<bw::app::HelpPanel>(*form_, "PHelpDXF");
        bool asked = false;
        form_->dxf().askOpenFileName = [&](const QString&) {
            asked = true;
            return QString();
        };
        // The keyboard: Space on the focused button.
        QTest::mouseClick(panel, Qt::LeftButton);
        auto* open = child<QPushButton>(*form_, "SBODXF");
        open->setFocus();
        QTest::keyClick(open, Qt::Key_Space);
        QVERIFY(!asked);
        QVERIFY(form_->help().popup()->REHelp->toPlainText().startsWith("Open DXF file"));
        form_->help().popup()->close();
        // Boxes clicked by the program (buttons: the calibration test): no state change, no
        // command, and the box answers the next click made outside help mode.
        for (const char* name : {"CBDotnij", "CBRPoz", "CBZoomB"}) {
            auto* box = child<QCheckBox>(*form_, name);
            const bool before = box->isChecked();
            bool heard = false;
            const auto probe = connect(box, &QCheckBox::clicked, this, [&] { heard = true; });
            QTest::mouseClick(panel, Qt::LeftButton);
            box->click();
            QVERIFY2(box->isChecked() == before, name);
            QVERIFY2(!heard, name);
            QVERIFY(!form_->help().popup()->REHelp->toPlainText().isEmpty());
            QVERIFY(!form_->help().armed());
            form_->help().popup()->close();
            box->click();
            QVERIFY2(heard, name);
            box->click();
            disconnect(probe);
            QVERIFY2(box->isChecked() == before, name);
        }
        QVERIFY(form_->help().popup()->REHelp->toPlainText().startsWith("Fit"));

        // Profile save and delete, and the language toggle, do nothing while help mode is armed.
        QTest::mouseClick(panel, Qt::LeftButton);
        bool named = false;
        form_->profiles().askProfileName = [&](const QString&) -> std::optional<QString> {
            named = true;
            return std::nullopt;
        };
        form_->profiles().askYesNo = [&](const QString&) { return named = true; };
        child<QPushButton>(*form_, "SpeedButton4")->click();
        child<QPushButton>(*form_, "SpeedButton5")->click();
        child<QPushButton>(*form_, "SBJezyk")->click();
        QVERIFY(!named);
        QCOMPARE(form_->context().languageIndex, 1);
        QVERIFY(form_->help().armed());
        // The start-point buttons have no topic: they act, and help mode stays armed.
        QTest::mouseClick(child<QRadioButton>(*form_, "RBSP3D"), Qt::LeftButton);
        QCOMPARE(form_->context().startPoint, 3);
        QVERIFY(!form_->help().popup()->isVisible());
        QVERIFY(form_->help().armed());
        QTest::mouseClick(panel, Qt::LeftButton);
        QVERIFY(!form_->help().armed());
        child<QPushButton>(*form_, "SBJezyk")->click();
        QCOMPARE(form_->context().languageIndex, 0);
    }

private:
    // Answers the next calibration dialog with a button (1..3), or closes it by its frame (0).
    void answerDialog(int button) {
        answered_ = -1;
        pending_ = new QTimer(this);
        pending_->setSingleShot(true);
        connect(pending_, &QTimer::timeout, this, [this, button] {
            bw::app::CalibrationDialog* dialog = form_->calibration().dialog();
            if (!dialog->isVisible()) {
                pending_->start(10);
                return;
            }
            answered_ = button;
            if (button == 0) {
                dialog->reject();
            } else {
                QPushButton* buttons[] = {dialog->SpeedButton1, dialog->SpeedButton2, dialog->SpeedButton3};
                buttons[button - 1]->click();
            }
        });
        pending_->start(0);
    }
    void cancelPendingAnswer() {
        if (pending_ != nullptr) { pending_->stop(); }
    }

    QTemporaryDir folder_;
    MainWindow* form_ = nullptr;
    QTimer* pending_ = nullptr;
    int answered_ = -1;
};

QTEST_MAIN(ToolsHelpTest)
#include "ToolsHelpTest.moc"
