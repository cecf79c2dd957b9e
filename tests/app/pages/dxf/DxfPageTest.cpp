// The DXF page driven as a user would: open a drawing (the file name injected
// where the dialog would ask), generate, save, pan and zoom, and the failures
// a user can cause.

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "fields/DecimalSeparator.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramText.h"
#include "output/ProgramView.h"
#include "pages/dxf/DrawingView.h"
#include "pages/dxf/DxfController.h"
#include "shell/MainWindow.h"

using namespace window_test;

namespace {

const QString kDataDir = QStringLiteral(BEAMWRIGHT_TEST_DATA_DIR "/app/");

// A window on a temporary program folder, shown at the size users get.
struct Window {
    explicit Window(const QString& folder) : form(folder) {
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    void open(const QString& path) {
        form.dxf().askOpenFileName = [path](const QString& filter) {
            if (filter != "DXF File (*.dxf)") { qWarning() << "unexpected filter" << filter; }
            return path;
        };
        child<QPushButton>(form, "SBODXF")->click();
    }
    // Opens a drawing that loads, and waits until it is on screen.
    void load(const QString& path) {
        open(path);
        QTRY_VERIFY(child<QPushButton>(form, "SBDXF")->isEnabled());
        QTRY_VERIFY(idle());
    }
    bool idle() { return !form.jobs().busy(); }
    MainWindow form;
};

}  // namespace

class DxfPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(folder_.isValid()); }

    // Unticked, the status bar names what the line scanner skipped; ticked, the
    // drawing is read in full and cut as the command line cuts it.
    void fullReadingIsChosenByTheCheckBox() {
        const QString drawing = QStringLiteral(BEAMWRIGHT_TEST_DATA_DIR "/../golden/dxf-full-blocks/input.dxf");
        Window w(folder_.path());
        w.load(drawing);
        QCOMPARE(w.form.statusBar()->currentMessage(),
                 QString("Size 120.0x80.0mm   Skipped: 2 INSERT, 1 LWPOLYLINE, 1 ELLIPSE, 1 TEXT "
                         "(tick 'Read polylines, ellipses and blocks')")
                     .replace('.', QChar::fromLatin1(bw::app::systemDecimalSeparator())));

        child<QCheckBox>(w.form, "CBPolilinie")->click();
        w.open(drawing);
        QTRY_VERIFY(w.form.statusBar()->currentMessage().endsWith("Skipped: 1 TEXT"));
        QTRY_VERIFY(w.idle());
        child<QPushButton>(w.form, "SBDXF")->click();
        QTRY_VERIFY(child<QPushButton>(w.form, "SBZGD")->isEnabled());
        QTRY_VERIFY(w.idle());
        const std::string shown = bw::app::viewFileText(child<bw::app::ProgramView>(w.form, "RE1"));
        QCOMPARE(QByteArray::fromStdString(shown), runCli({"dxf", drawing, "--all-entities"}));
    }

    void openAndGenerateGiveTheCommandLinesProgram() {
        Window w(folder_.path());
        w.load(kDataDir + "square-circle-arc.dxf");
        QVERIFY(!child<bw::app::DrawingView>(w.form, "I1")->picture().isNull());
        QVERIFY(w.form.statusBar()->currentMessage().startsWith("Size 60"));

        child<QRadioButton>(w.form, "RBSP3D")->click();
        child<QCheckBox>(w.form, "CBDotnij")->click();
        QVERIFY(!child<QPushButton>(w.form, "SBZGD")->isEnabled());
        child<QPushButton>(w.form, "SBDXF")->click();
        QTRY_VERIFY(child<QPushButton>(w.form, "SBZGD")->isEnabled());
        QTRY_VERIFY(w.idle());

        const QByteArray expected =
            runCli({"dxf", kDataDir + "square-circle-arc.dxf", "--start-point", "3", "--finishing-pass"});
        QVERIFY(expected.startsWith(";(Header)\r\n"));
        const std::string shown = child<bw::app::ProgramView>(w.form, "RE1")->fileText();
        QCOMPARE(QByteArray::fromStdString(shown), expected);
        // The status bar says what finished; the title names the drawing.
        QCOMPARE(w.form.statusBar()->currentMessage(),
                 QStringLiteral("Program ready: %1 lines").arg(expected.count("\r\n")));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Beamwright - by Corvane v 1.1 - square-circle-arc.dxf"));
        // Every field usable at the minimum size; the default size fits a 1366 x 768 screen.
        QVERIFY(w.form.minimumWidth() >= 1000 && w.form.minimumHeight() >= 600);
        QVERIFY(w.form.width() <= 1366 && w.form.height() <= 728);

        // Saving with "*.tap": "job" gets the extension, "job.TAP" keeps its own.
        child<QRadioButton>(w.form, "RGRozszerzenie3")->click();
        QString filter;
        QString name = folder_.filePath("job");
        w.form.delivery().askSaveFileName = [&](const QString& f) {
            filter = f;
            return name;
        };
        child<QPushButton>(w.form, "SBZGD")->click();
        QCOMPARE(filter, QStringLiteral("G-CODE (*.tap)"));
        QCOMPARE(readAll(folder_.filePath("job.tap")), expected);
        QCOMPARE(takeMessages(w.form), QStringList{"OK"});
        name = folder_.filePath("job.TAP");
        child<QPushButton>(w.form, "SBZGD")->click();
        QVERIFY(!QFile::exists(folder_.filePath("job.TAP.tap")));
        QCOMPARE(takeMessages(w.form), QStringList{"OK"});

        // Copying puts the saved bytes on the clipboard, CR LF and final line break included.
        child<QPushButton>(w.form, "SBKopiujD")->click();
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), expected);
    }

    void aSecondGenerateWhileAJobRunsIsRefused() {
        Window w(folder_.path());
        w.load(kDataDir + "square-circle-arc.dxf");
        auto* generate = child<QPushButton>(w.form, "SBDXF");
        // The first job waits for its parameters from this thread, so it is still running at the second click.
        generate->click();
        QVERIFY(!w.idle());
        generate->click();
        QVERIFY(w.form.statusBar()->currentMessage().contains("still running"));
        child<QPushButton>(w.form, "SBODXF")->click();  // an open is refused the same way
        QTRY_VERIFY(w.idle());
        QTRY_VERIFY(child<QPushButton>(w.form, "SBZGD")->isEnabled());
        const QByteArray expected = runCli({"dxf", kDataDir + "square-circle-arc.dxf"});
        QCOMPARE(QByteArray::fromStdString(child<bw::app::ProgramView>(w.form, "RE1")->fileText()), expected);
        QVERIFY(takeMessages(w.form).isEmpty());
    }

    void aCancelledGenerateKeepsTheShownProgram() {
        Window w(folder_.path());
        w.load(kDataDir + "square-circle-arc.dxf");
        child<QPushButton>(w.form, "SBDXF")->click();
        QTRY_VERIFY(w.idle());
        auto* view = child<bw::app::ProgramView>(w.form, "RE1");
        const std::string shown = view->fileText();
        QVERIFY(!shown.empty());
        // The job counts its entity reports over all passes: the bar showed a share, not "busy".
        auto* bar = child<QProgressBar>(w.form, "PBJob");
        QCOMPARE(bar->maximum(), 100);
        QVERIFY(bar->value() >= 50);

        // The job waits for its parameters from this thread: Cancel comes before its first report.
        child<QCheckBox>(w.form, "CBDotnij")->click();
        child<QPushButton>(w.form, "SBDXF")->click();
        child<QPushButton>(w.form, "SBCancelJob")->click();
        QTRY_VERIFY(w.idle());
        QCOMPARE(w.form.statusBar()->currentMessage(), QStringLiteral("Cancelled"));
        QCOMPARE(view->fileText(), shown);
        QVERIFY(!child<QWidget>(w.form, "PJob")->isVisible());
        QVERIFY(takeMessages(w.form).isEmpty());
    }

    void aBadOrEmptyFileKeepsTheDrawingAndTheWindowStaysUsable() {
        Window w(folder_.path());
        const QString drawing = kDataDir + "square-circle-arc.dxf";
        const QString empty = folder_.filePath("no-entities.dxf");
        writeFile(empty, "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nPOINT\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
        // Refused with the file named, before and after a drawing is on screen; the view stays.
        for (bool drawingShown : {false, true}) {
            if (drawingShown) { w.load(drawing); }
            const QImage shown = child<bw::app::DrawingView>(w.form, "I1")->picture();
            for (const QString& path : {kDataDir + "bad-number.dxf", empty}) {
                w.open(path);
                QTRY_VERIFY(w.idle());
                QTRY_COMPARE(w.form.findChildren<QMessageBox*>().size(), 1);
                const QStringList why = takeMessages(w.form);
                QVERIFY2(why.value(0).startsWith(path), qPrintable(why.value(0)));
                QCOMPARE(child<bw::app::DrawingView>(w.form, "I1")->picture(), shown);
                QCOMPARE(child<QPushButton>(w.form, "SBDXF")->isEnabled(), drawingShown);
            }
        }

        // A field that does not convert is named; put right, Generate cuts the drawing on screen.
        child<QLineEdit>(w.form, "EProstki")->clear();
        child<QPushButton>(w.form, "SBDXF")->click();
        QTRY_VERIFY(w.idle());
        QTRY_COMPARE(w.form.findChildren<QMessageBox*>().size(), 1);
        const QStringList fieldMessages = takeMessages(w.form);
        QVERIFY2(fieldMessages.value(0).contains("Curve accuracy [mm]"), qPrintable(fieldMessages.value(0)));
        QVERIFY(!child<QPushButton>(w.form, "SBZGD")->isEnabled());
        const QChar separator = QChar::fromLatin1(bw::app::systemDecimalSeparator());
        child<QLineEdit>(w.form, "EProstki")->setText(QString("0") + separator + "5");
        child<QPushButton>(w.form, "SBDXF")->click();
        QTRY_VERIFY(child<QPushButton>(w.form, "SBZGD")->isEnabled());
        QTRY_VERIFY(w.idle());
        QCOMPARE(QByteArray::fromStdString(bw::app::viewFileText(child<bw::app::ProgramView>(w.form, "RE1"))),
                 runCli({"dxf", drawing}));
    }

    void passCountFollowsThicknessLayerAndFinishingPass() {
        Window w(folder_.path());
        auto* passes = child<QLabel>(w.form, "LPrzejsciaD");
        QCOMPARE(passes->text(), QStringLiteral("4"));
        child<QCheckBox>(w.form, "CBDotnij")->click();
        QCOMPARE(passes->text(), QStringLiteral("5"));
        child<QCheckBox>(w.form, "CBDotnij")->click();
        auto* layer = child<QLineEdit>(w.form, "EWarstwa");
        layer->selectAll();
        QTest::keyClicks(layer, "0");
        QCOMPARE(passes->text(), QStringLiteral("1"));
        layer->clear();
        QTest::keyClick(layer, Qt::Key_Backspace);
        QCOMPARE(passes->text(), QStringLiteral("1"));
    }

    void panAndZoomRedrawTheView() {
        Window w(folder_.path());
        w.load(kDataDir + "square-circle-arc.dxf");
        auto* view = child<bw::app::DrawingView>(w.form, "I1");
        const QImage before = view->picture();
        bw::DxfView& state = w.form.context().dxf.view;
        const std::int64_t scale = state.viewScale;
        QVERIFY(scale > 0);

        // Dragging 30 pixels to the right moves the drawing 30 pixels.
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view, QPoint(130, 100));
        QTRY_VERIFY(w.idle());
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(130, 100));
        QCOMPARE(state.viewPanX, 30);
        QVERIFY(view->picture() != before);

        // A wheel step towards the user zooms in by 1.1 and redraws.
        QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
        QVERIFY(state.redrawBusy);
        QTRY_VERIFY(w.idle());
        QVERIFY(!state.redrawBusy);
        QVERIFY(state.viewScale > scale);

        // A resized window gets a preview of the view's new size.
        w.form.resize(1000, 700);
        QTRY_COMPARE(view->picture().size(), view->size());
        QTRY_VERIFY(w.idle());
        QVERIFY(takeMessages(w.form).isEmpty());
    }

    void closingTheWindowStopsARunningJob() {
        // Enough lines that generating takes a while.
        QByteArray lines = "  0\nSECTION\n  2\nENTITIES\n";
        for (int i = 0; i < 20000; ++i) {
            const int x = (i * 7919) % 5000, y = (i * 104729) % 5000;
            lines += QStringLiteral("  0\nLINE\n 10\n%1\n 20\n%2\n 11\n%3\n 21\n%4\n")
                         .arg(x / 10.0)
                         .arg(y / 10.0)
                         .arg(x / 10.0 + 1)
                         .arg(y / 10.0 + 1)
                         .toLatin1();
        }
        writeFile(folder_.filePath("many-lines.dxf"), lines + "  0\nENDSEC\n  0\nEOF\n");
        QElapsedTimer timer;
        {
            Window w(folder_.path());
            w.open(folder_.filePath("many-lines.dxf"));
            QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(w.form, "SBDXF")->isEnabled(), 60000);
            QTRY_VERIFY(w.idle());
            child<QPushButton>(w.form, "SBDXF")->click();
            QTest::qWait(100);
            timer.start();
            w.form.close();
        }
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(DxfPageTest)
#include "DxfPageTest.moc"
