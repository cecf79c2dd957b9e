// beamwright-screenshots FOLDER: opens the window with the example files, shows
// each visible page once its example has loaded, and writes a PNG per page.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "JobRunner.h"
#include "TForm1.h"

namespace {

// Lets the window work (and its jobs finish) until `done` holds or time runs out.
template <typename Condition>
void waitFor(Condition done, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) { QApplication::processEvents(QEventLoop::AllEvents, 50); }
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
    TForm1 window(programFolder.path());
    window.resize(1280, 800);
    window.show();
    auto* pages = window.findChild<QTabWidget*>("PC1");
    const struct {
        const char* page;
        const char* file;
    } shots[] = {{"TS1", "dxf.png"}, {"TS2", "bmp-jpg.png"}, {"TabSheet3", "gcode-settings.png"}};
    for (const auto& shot : shots) {
        pages->setCurrentWidget(window.findChild<QWidget*>(shot.page));
        waitFor([] { return false; }, 300);
        waitFor([&] { return !window.jobs().busy(); }, 20000);
        if (QString(shot.page) == "TS1") {
            waitFor([&] { return window.findChild<QPushButton*>("SBDXF")->isEnabled(); }, 20000);
            waitFor([&] { return !window.jobs().busy(); }, 20000);
        }
        const QString path = output.filePath(shot.file);
        if (!window.grab().save(path)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
        QTextStream(stdout) << path << "\n";
    }
    return 0;
}
