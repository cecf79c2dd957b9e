// window_bench [ENTITIES]: how the window stays responsive with a million-line
// program. Writes a drawing of ENTITIES separate lines (default 100 000; five
// passes give about one million program lines), opens and generates it in the
// real window, and reports the job's time, the time from the hand-back to the
// program's first paint, and the longest event-loop stall (a 5 ms timer that
// records its own lateness). Run it offscreen: QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "fields/DecimalSeparator.h"
#include "jobs/JobRunner.h"
#include "output/ProgramView.h"
#include "pages/dxf/DxfController.h"
#include "shell/MainWindow.h"

namespace {

class StallProbe : public QObject {
public:
    StallProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const qint64 late = clock_.restart();
            if (late > 50 && qEnvironmentVariableIsSet("WINDOW_BENCH_STALLS")) {
                std::printf("  stall of %lld ms ending at %lld ms\n", late, since_.elapsed());
            }
            longest_ = std::max(longest_, late);
        });
        since_.start();
        timer_.start(5);
        clock_.start();
    }
    void reset() {
        since_.restart();
        clock_.restart();
        longest_ = 0;
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    QElapsedTimer since_;  // since the last reset, to place the stalls
    qint64 longest_ = 0;
};

bool writeDrawing(const QString& path, int entities) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) { return false; }
    QTextStream out(&file);
    out << "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    for (int i = 0; i < entities; ++i) {
        const int column = i % 400;
        const int row = i / 400;
        out << "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n"
            << column * 2 << ".0\r\n 20\r\n"
            << row * 2 << ".0\r\n 30\r\n0.0\r\n 11\r\n"
            << column * 2 + 1 << ".0\r\n 21\r\n"
            << row * 2 + 1 << ".0\r\n 31\r\n0.0\r\n";
    }
    out << "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return true;
}

template <typename Condition>
void waitFor(Condition done) {
    while (!done()) { QApplication::processEvents(QEventLoop::AllEvents, 5); }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int entities = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    QTemporaryDir folder;
    const QString drawing = folder.filePath("lines.dxf");
    if (!writeDrawing(drawing, entities)) { return 1; }

    MainWindow window(folder.path());
    window.show();
    window.findChild<QTabWidget*>("PC1")->setCurrentWidget(window.findChild<QWidget*>("TS1"));
    const QChar separator = QChar::fromLatin1(bw::app::systemDecimalSeparator());
    window.findChild<QLineEdit*>("EGrubosc")->setText(QStringLiteral("2%15").arg(separator));  // five passes
    auto* view = window.findChild<bw::app::ProgramView*>("RE1");
    StallProbe probe;
    QElapsedTimer clock;

    clock.start();
    window.dxf().askOpenFileName = [&](const QString&) { return drawing; };
    window.findChild<QPushButton*>("SBODXF")->click();
    waitFor([&] { return window.findChild<QPushButton*>("SBDXF")->isEnabled() && !window.jobs().busy(); });
    std::printf("open %d entities: %lld ms, longest stall %lld ms\n", entities, clock.elapsed(), probe.longestMs());

    // The program tab, where the generate button and the view are.
    window.findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1);
    QApplication::processEvents();
    qint64 handedBack = -1;
    qint64 firstPaint = -1;
    QObject::connect(view, &bw::app::ProgramView::programChanged, [&] { handedBack = clock.elapsed(); });
    QObject::connect(view, &bw::app::ProgramView::painted, [&] {
        if (handedBack >= 0 && firstPaint < 0) { firstPaint = clock.elapsed(); }
    });
    probe.reset();
    clock.restart();
    window.findChild<QPushButton*>("SBDXF")->click();
    waitFor([&] { return firstPaint >= 0 && !window.jobs().busy(); });
    std::printf("generate %zu lines: job %lld ms, first paint %lld ms after the hand-back, longest stall %lld ms\n",
                view->lineCount(), handedBack, firstPaint - handedBack, probe.longestMs());
    return 0;
}
