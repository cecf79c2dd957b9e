// beamwright-screenshots FOLDER: opens the window with the example files, shows
// each visible page once its example has loaded, and writes a PNG per page at
// the default size, the minimum size and 1920 x 1080; also the toolpath views of
// the examples' programs, the hidden PCB and Tools pages, a drawing of blocks
// and polylines read both ways, the calibration dialog and a help popup.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "help/HelpMode.h"
#include "help/HelpPopup.h"
#include "jobs/JobRunner.h"
#include "output/ProgramView.h"
#include "output/ToolpathPanel.h"
#include "pages/dxf/DxfController.h"
#include "pages/picture/PictureController.h"
#include "pages/tools/CalibrationController.h"
#include "pages/tools/CalibrationDialog.h"
#include "pages/tools/InstructionWindows.h"
#include "shell/MainWindow.h"

namespace {

// Lets the window work (and its jobs finish) until `done` holds or time runs out.
template <typename Condition>
void waitFor(Condition done, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) { QApplication::processEvents(QEventLoop::AllEvents, 50); }
}

// A drawing of blocks and polylines: a frame of lines, a block of a slotted tab
// (a polyline with arcs and a hole) inserted turned, mirrored and as a 2 x 2
// array, an ellipse and a text, in millimetres.
QByteArray blocksAndPolylines() {
    QByteArray text;
    auto pair = [&](int code, const QByteArray& value) {
        text += QByteArray::number(code).rightJustified(3, ' ') + "\r\n" + value + "\r\n";
    };
    auto line = [&](double x1, double y1, double x2, double y2) {
        pair(0, "LINE");
        pair(8, "0");
        for (auto [code, v] : {std::pair{10, x1}, {20, y1}, {11, x2}, {21, y2}}) { pair(code, QByteArray::number(v)); }
    };
    pair(0, "SECTION");
    pair(2, "BLOCKS");
    pair(0, "BLOCK");
    pair(2, "Tab");
    pair(10, "0");
    pair(20, "0");
    pair(0, "LWPOLYLINE");
    pair(90, "4");
    pair(70, "1");
    for (auto [x, y, bulge] : {std::tuple{0.0, 0.0, 0.0}, {30.0, 0.0, 1.0}, {30.0, 16.0, 0.0}, {0.0, 16.0, 0.4142}}) {
        pair(10, QByteArray::number(x));
        pair(20, QByteArray::number(y));
        pair(42, QByteArray::number(bulge));
    }
    pair(0, "CIRCLE");
    pair(10, "8");
    pair(20, "8");
    pair(40, "3");
    pair(0, "ENDBLK");
    pair(0, "ENDSEC");
    pair(0, "SECTION");
    pair(2, "ENTITIES");
    line(0, 0, 180, 0);
    line(180, 0, 180, 120);
    line(180, 120, 0, 120);
    line(0, 120, 0, 0);
    const struct {
        double x, y, scaleX, rotation;
        int columns, rows;
    } inserts[] = {{10, 10, 1, 0, 2, 2}, {150, 20, -1, 0, 1, 1}, {120, 70, 1, 30, 1, 1}};
    for (const auto& insert : inserts) {
        pair(0, "INSERT");
        pair(2, "Tab");
        pair(10, QByteArray::number(insert.x));
        pair(20, QByteArray::number(insert.y));
        pair(41, QByteArray::number(insert.scaleX));
        pair(50, QByteArray::number(insert.rotation));
        pair(70, QByteArray::number(insert.columns));
        pair(71, QByteArray::number(insert.rows));
        pair(44, "45");
        pair(45, "30");
    }
    pair(0, "ELLIPSE");
    for (auto [code, v] : {std::pair{10, "110"}, {20, "30"}, {11, "25"}, {21, "8"}, {40, "0.45"}}) { pair(code, v); }
    pair(0, "TEXT");
    pair(10, "120");
    pair(20, "105");
    pair(40, "5");
    pair(1, "Blocks and polylines");
    pair(0, "ENDSEC");
    pair(0, "EOF");
    return text;
}

bool save(const QPixmap& picture, const QString& path) {
    if (!picture.save(path)) {
        QTextStream(stderr) << "cannot write " << path << "\n";
        return false;
    }
    QTextStream(stdout) << path << "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: beamwright-screenshots FOLDER\n";
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(".")) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }
    // A fresh program folder with the examples, so no saved state changes the pictures.
    QTemporaryDir programFolder;
    for (const char* example : {"ExampleDXF.dxf", "ExampleBMP.jpg", "ExamplePCB.bmp"}) {
        QFile::copy(QApplication::applicationDirPath() + "/" + example, programFolder.filePath(example));
    }
    MainWindow window(programFolder.path());
    window.show();
    auto* pages = window.findChild<QTabWidget*>("PC1");
    const struct {
        const char* page;
        const char* file;
    } shots[] = {
        {"TS1", "dxf"}, {"TS2", "bmp-jpg"}, {"TabSheet3", "gcode-settings"}, {"TS3", "pcb"}, {"TabSheet8", "tools"}};
    // Each page at the window's default size, at its minimum size and at 1920 x 1080.
    const struct {
        QSize size;
        const char* suffix;
    } sizes[] = {{window.size(), ""}, {window.minimumSize(), "-minimum"}, {QSize(1920, 1080), "-1920x1080"}};
    for (const auto& size : sizes) {
        window.resize(size.size);
        for (const auto& shot : shots) {
            pages->setCurrentWidget(window.findChild<QWidget*>(shot.page));
            waitFor([] { return false; }, 300);
            waitFor([&] { return !window.jobs().busy(); }, 20000);
            // Each source page waits for its example to be shown.
            const char* generate = QString(shot.page) == "TS1"   ? "SBDXF"
                                   : QString(shot.page) == "TS2" ? "SBBMP"
                                   : QString(shot.page) == "TS3" ? "SBPCBR"
                                                                 : nullptr;
            if (generate != nullptr) {
                waitFor([&] { return window.findChild<QPushButton*>(generate)->isEnabled(); }, 20000);
                waitFor([&] { return !window.jobs().busy() && !window.bmp().toneJobPending(); }, 20000);
                waitFor([] { return false; }, 400);  // the drawing view refits after a resize pause
                waitFor([&] { return !window.jobs().busy(); }, 20000);
                // The program tab shows the example's program.
                auto* button = window.findChild<QPushButton*>(generate);
                auto* view = button->parentWidget()->findChild<bw::app::ProgramView*>();
                if (view != nullptr && view->lineCount() == 0) {
                    button->click();
                    waitFor([&] { return view->lineCount() > 0 && !window.jobs().busy(); }, 60000);
                }
            }
            const QString file = QStringLiteral("%1%2.png").arg(shot.file, size.suffix);
            if (!save(window.grab(), output.filePath(file))) { return 1; }
            // The page's other tabs (image settings, the program), named after their captions.
            auto* inner = pages->currentWidget()->findChild<QTabWidget*>();
            for (int tab = 1; inner != nullptr && tab < inner->count(); ++tab) {
                inner->setCurrentIndex(tab);
                waitFor([] { return false; }, 200);
                const QString caption = inner->tabText(tab).toLower().replace(' ', '-').remove('&');
                const QString tabFile = QStringLiteral("%1-%2%3.png").arg(shot.file, caption, size.suffix);
                if (!save(window.grab(), output.filePath(tabFile))) { return 1; }
            }
            if (inner != nullptr) { inner->setCurrentIndex(0); }
        }
    }
    window.resize(sizes[0].size);

    // The toolpath view of each example's program, as Generate leaves it.
    const struct {
        const char* page;
        const char* tabs;
        const char* programTab;
        const char* generate;
        const char* panel;
        const char* toggle;
        const char* file;
    } toolpaths[] = {{"TS1", "PageControl2", "TabSheet2", "SBDXF", "PSciezkaD", "CBSciezkaD", "dxf-toolpath.png"},
                     {"TS2", "PageControl1", "TabSheet6", "SBBMP", "PSciezkaB", "CBSciezkaB", "bmp-jpg-toolpath.png"}};
    for (const auto& shot : toolpaths) {
        pages->setCurrentWidget(window.findChild<QWidget*>(shot.page));
        auto* tabs = window.findChild<QTabWidget*>(shot.tabs);
        tabs->setCurrentWidget(window.findChild<QWidget*>(shot.programTab));
        waitFor([&] { return !window.jobs().busy() && !window.bmp().toneJobPending(); }, 20000);
        window.findChild<QPushButton*>(shot.generate)->click();
        auto* panel = window.findChild<bw::app::ToolpathPanel*>(shot.panel);
        waitFor([] { return false; }, 300);
        waitFor([&] { return !window.jobs().busy() && !panel->estimating(); }, 60000);
        window.findChild<QCheckBox*>(shot.toggle)->setChecked(true);
        waitFor([] { return false; }, 300);
        if (!save(window.grab(), output.filePath(shot.file))) { return 1; }
        window.findChild<QCheckBox*>(shot.toggle)->setChecked(false);
        tabs->setCurrentIndex(0);
    }

    // A drawing of blocks and polylines, read by the line scanner (the status bar
    // names what it skipped) and then in full.
    pages->setCurrentWidget(window.findChild<QWidget*>("TS1"));
    QFile drawing(programFolder.filePath("blocks-and-polylines.dxf"));
    if (!drawing.open(QIODevice::WriteOnly) || drawing.write(blocksAndPolylines()) < 0) { return 1; }
    drawing.close();
    auto* fullReading = window.findChild<QCheckBox*>("CBPolilinie");
    for (const auto& [full, file] : {std::pair{false, "dxf-blocks-scanner.png"}, {true, "dxf-blocks-full.png"}}) {
        fullReading->setChecked(full);
        waitFor([&] { return !window.jobs().busy(); }, 20000);
        window.dxf().openDrawing(drawing.fileName());
        waitFor([] { return false; }, 300);
        waitFor([&] { return !window.jobs().busy(); }, 20000);
        waitFor([] { return false; }, 200);
        if (!save(window.grab(), output.filePath(file))) { return 1; }
    }

    // The calibration dialog, as the Tools page's buttons show it.
    bw::app::CalibrationDialog* dialog = window.calibration().dialog();
    dialog->show();
    waitFor([] { return false; }, 300);
    if (!save(dialog->grab(), output.filePath("calibration-dialog.png"))) { return 1; }
    dialog->hide();

    // The help popup of "Coarse calibration", over the Tools page.
    QMetaObject::invokeMethod(window.findChild<QWidget*>("PHelpU"), "clicked");
    window.help().ConsumeHelpClick(window.findChild<QPushButton*>("SpeedButton10"));
    waitFor([] { return false; }, 300);
    if (!save(window.help().popup()->grab(), output.filePath("help-popup.png"))) { return 1; }
    window.help().popup()->close();

    // The focus calibration instruction.
    window.findChild<QPushButton*>("SpeedButton3")->click();
    waitFor([] { return false; }, 300);
    if (!save(window.calibration().focusInstruction()->grab(), output.filePath("instruction.png"))) { return 1; }
    return 0;
}
