// The PCB page (its tab hidden) driven as a user would: open a board bitmap,
// expose it by raster and by outline, preview, save and the EAGLE helpers.

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowTestSupport.h"
#include "fields/DecimalSeparator.h"
#include "jobs/JobRunner.h"
#include "output/ProgramDelivery.h"
#include "output/ProgramText.h"
#include "output/ProgramView.h"
#include "pages/pcb/PcbController.h"
#include "shell/MainWindow.h"
#include "widgets/PictureView.h"

using namespace window_test;

namespace {

const QString kBoard = QStringLiteral(BEAMWRIGHT_EXAMPLES_DIR "/ExamplePCB.bmp");

QByteArray viewText(QWidget& window, const char* name) {
    return QByteArray::fromStdString(bw::app::viewFileText(child<bw::app::ProgramView>(window, name)));
}

}  // namespace

class PcbPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(folder_.isValid()); }

    void rasterAndOutlineGiveTheCommandLinesPrograms() {
        MainWindow form(folder_.path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.jobs().busy());
        QVERIFY(!child<QPushButton>(form, "SBPCBR")->isEnabled());
        child<QTabWidget>(form, "PC1")->setCurrentWidget(child<QWidget>(form, "TS3"));
        QTRY_VERIFY(!form.jobs().busy());
        QString filter;
        form.pcb().askOpenFileName = [&](const QString& f) {
            filter = f;
            return kBoard;
        };
        child<QPushButton>(form, "SBOPCB")->click();
        QCOMPARE(filter, QStringLiteral("Bitmap (*.bmp)"));
        QTRY_VERIFY(!form.jobs().busy());
        QVERIFY(child<QPushButton>(form, "SBPCBR")->isEnabled());
        // The title names the board; the next open dialog starts in its folder.
        const QFileInfo board(kBoard);
        QCOMPARE(form.windowTitle(), QStringLiteral("Beamwright - by Corvane v 1.1 - ExamplePCB.bmp"));
        QCOMPARE(form.pcb().openFolder(), board.absolutePath());
        QVERIFY(form.context().pcb.loaded());
        const QImage loaded = child<bw::app::PictureView>(form, "IP")->picture();
        QVERIFY(!loaded.isNull());

        child<QRadioButton>(form, "RBSP5P")->click();
        child<QPushButton>(form, "SBPCBR")->click();
        QTRY_VERIFY(child<QPushButton>(form, "SBZGPR")->isEnabled());
        QTRY_VERIFY(!form.jobs().busy());
        const QByteArray raster = runCli({"pcb-raster", kBoard, "--start-point", "5"});
        QVERIFY(raster.startsWith("M17\r\n"));
        QCOMPARE(viewText(form, "RERaster"), raster);
        // The exposed positions are drawn in blue.
        const QImage exposed = child<bw::app::PictureView>(form, "IP")->picture();
        bool blue = false;
        for (int y = 0; y < exposed.height() && !blue; ++y) {
            for (int x = 0; x < exposed.width() && !blue; ++x) { blue = exposed.pixel(x, y) == qRgb(0, 0, 255); }
        }
        QVERIFY(blue);

        child<QPushButton>(form, "SBPCBO")->click();
        QTRY_VERIFY(child<QPushButton>(form, "SBZGPO")->isEnabled());
        QTRY_VERIFY(!form.jobs().busy());
        // The statistics lines use the desktop's decimal separator; the moves never do.
        QByteArray outline = runCli({"pcb-outline", kBoard, "--start-point", "5"});
        QByteArrayList lines = outline.split('\n');
        for (QByteArray& line : lines) {
            if (line.contains(" -> ")) { line.replace('.', bw::app::systemDecimalSeparator()); }
        }
        outline = lines.join('\n');
        QVERIFY(outline.contains("G1 "));
        QCOMPARE(viewText(form, "RE3"), outline);

        // Previews repaint the view from each run's marks.
        child<QPushButton>(form, "SBP1")->click();
        const QImage rasterPreview = child<bw::app::PictureView>(form, "IP")->picture();
        child<QPushButton>(form, "SBP2")->click();
        QVERIFY(child<bw::app::PictureView>(form, "IP")->picture() != rasterPreview);

        form.delivery().askSaveFileName = [&](const QString&) { return folder_.filePath("board"); };
        child<QPushButton>(form, "SBZGPR")->click();
        QCOMPARE(readAll(folder_.filePath("board.g")), raster);
        QCOMPARE(form.delivery().proposal(), QDir(board.absolutePath()).filePath("ExamplePCB.g"));
        QCOMPARE(takeMessages(form), QStringList{"OK"});
    }

    void damagedBoardsAndOutOfRangeFieldsAreRefused() {
        MainWindow form(folder_.path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(!form.jobs().busy());
        // The first half of the example board: refused, nothing loaded.
        const QString cut = folder_.filePath("cut.bmp");
        writeFile(cut, readAll(kBoard).left(16619));
        form.pcb().askOpenFileName = [&](const QString&) { return cut; };
        child<QPushButton>(form, "SBOPCB")->click();
        QTRY_VERIFY(!form.jobs().busy());
        QStringList messages = takeMessages(form);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains("damaged or incomplete") && messages[0].contains("cut.bmp"));
        QVERIFY(!form.context().pcb.loaded());
        QVERIFY(!child<QPushButton>(form, "SBPCBR")->isEnabled());
        // A beam of 0 mm is refused naming the field, as the command line refuses --beam 0.
        form.pcb().askOpenFileName = [&](const QString&) { return kBoard; };
        child<QPushButton>(form, "SBOPCB")->click();
        QTRY_VERIFY(!form.jobs().busy());
        child<QLineEdit>(form, "Edit3")->setText("0");
        child<QPushButton>(form, "SBPCBR")->click();
        QTRY_VERIFY(!form.jobs().busy());
        messages = takeMessages(form);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("must be above 0"), qPrintable(messages[0]));
    }

    void eagleHelpers() {
        MainWindow form(folder_.path());
        child<QPushButton>(form, "SBCopyTOP")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("run exp2image monochrome 508 .bmp 1 17 18 20"));
        child<QPushButton>(form, "SBCopyBOTTOM")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("run exp2image monochrome 508 .bmp 16 17 18 20"));

        QVERIFY(QDir(folder_.path()).mkdir("ulp"));
        QVERIFY(QDir(folder_.path()).mkdir("cli"));
        form.pcb().askFolder = [&] { return folder_.filePath("ulp"); };
        child<QPushButton>(form, "SBGenULP")->click();
        child<QPushButton>(form, "SBGenULP")->click();  // a second time replaces the file
        runCli({"eagle-ulp", folder_.filePath("cli")});
        const QByteArray script = readAll(folder_.filePath("ulp/exp2image.ulp"));
        QVERIFY(script.size() > 1000);
        QCOMPARE(script, readAll(folder_.filePath("cli/exp2image.ulp")));
        QVERIFY(takeMessages(form).isEmpty());
    }

private:
    QTemporaryDir folder_;
};

QTEST_MAIN(PcbPageTest)
#include "PcbPageTest.moc"
