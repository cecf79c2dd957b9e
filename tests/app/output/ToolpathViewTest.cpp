// The toolpath on the G-CODE tabs: after Generate the status bar's estimate
// gives the program's lengths and time (as the engine computes them for the program
// shown, with the G-CODE Settings page's machine values), the check box swaps
// the program text for the toolpath, and travel moves can be hidden.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include "WindowTestSupport.h"
#include "jobs/JobRunner.h"
#include "output/ProgramText.h"
#include "output/ToolpathPanel.h"
#include "output/ToolpathView.h"
#include "pages/dxf/DxfController.h"
#include "shell/MainWindow.h"
#include "simulation/ProgramSimulator.h"
#include "simulation/SimulationReport.h"
#include "simulation/ToolpathRenderer.h"

namespace {

using window_test::child;

QString expectedStatus(const bw::app::ProgramView* view, double acceleration) {
    bw::SimulationOptions options;
    options.limits.accelerationMmPerS2 = acceleration;
    bw::ProgramSimulator simulator(options);
    simulator.addText(bw::app::viewFileText(view));
    return QString::fromStdString(bw::SimulationStatusText(simulator.finish()));
}

// Empty until the first estimate arrives and creates the label, so QTRY_* waits for it.
QString estimate(QWidget& form) {
    auto* label = form.findChild<QLabel*>(bw::app::kEstimateLabelName);
    return label == nullptr ? QString() : label->text();
}

// Pixels of the colour given, or with no colour given the dark ones (the burnt path).
int countPixels(const QImage& picture, std::optional<QRgb> colour = std::nullopt) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            count += colour ? pixel == *colour : qGray(pixel) < 64;
        }
    }
    return count;
}

}  // namespace

class ToolpathViewTest : public QObject {
    Q_OBJECT
private slots:
    void generateShowsTheEstimateAndTheToolpath() {
        QTemporaryDir folder;
        MainWindow form(folder.path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.dxf().askOpenFileName = [](const QString&) {
            return QStringLiteral(BEAMWRIGHT_TEST_DATA_DIR "/app/square-circle-arc.dxf");
        };
        child<QPushButton>(form, "SBODXF")->click();
        QTRY_VERIFY(child<QPushButton>(form, "SBDXF")->isEnabled());
        QTRY_VERIFY(!form.jobs().busy());

        auto* program = child<bw::app::ProgramView>(form, "RE1");
        child<QPushButton>(form, "SBDXF")->click();
        QTRY_VERIFY(child<QPushButton>(form, "SBZGD")->isEnabled());
        QTRY_VERIFY(!form.jobs().busy());
        const QString status = expectedStatus(program, 1000);
        QVERIFY2(status.contains(" lines, burn ") && status.contains(" m, about 0:0"), qPrintable(status));
        QTRY_COMPARE(estimate(form), status);
        QVERIFY(!form.statusBar()->currentMessage().contains("lines, burn"));  // the job texts keep their place

        // The machine values of the G-CODE Settings page drive the estimate.
        child<QLineEdit>(form, "EPrzyspieszenieU")->setText("50");
        child<QPushButton>(form, "SBDXF")->click();
        QTRY_VERIFY(!form.jobs().busy());
        const QString slower = expectedStatus(program, 50);
        QVERIFY(slower != status);
        QTRY_COMPARE(estimate(form), slower);

        // An estimate belongs to its page: another page shows its own (none yet).
        auto* pages = child<QTabWidget>(form, "PC1");
        pages->setCurrentWidget(child<QWidget>(form, "TabSheet3"));
        QCOMPARE(estimate(form), QString());
        pages->setCurrentWidget(child<QWidget>(form, "TS1"));
        QCOMPARE(estimate(form), slower);

        // The check box swaps the text for the toolpath: burnt path dark, travel light blue.
        child<QTabWidget>(form, "PageControl2")->setCurrentIndex(1);
        auto* view = child<bw::app::ToolpathView>(form, "ISciezkaD");
        QVERIFY(program->isVisible());
        QVERIFY(!view->isVisible());
        child<QCheckBox>(form, "CBSciezkaD")->click();
        QVERIFY(view->isVisible());
        QVERIFY(!program->isVisible());
        QTRY_COMPARE(view->picture().size(), view->size());
        const QImage shown = view->picture();
        QVERIFY(countPixels(shown) > 100);
        QVERIFY(countPixels(shown, bw::kToolpathTravelColour) > 10);

        child<QCheckBox>(form, "CBUkryjJaloweD")->click();
        QTRY_VERIFY(view->picture() != shown);
        QCOMPARE(countPixels(view->picture(), bw::kToolpathTravelColour), 0);
        QCOMPARE(countPixels(view->picture()), countPixels(shown));

        // Zooming out about the centre shrinks the drawing.
        QWheelEvent wheel(QPointF(view->width() / 2.0, view->height() / 2.0),
                          view->mapToGlobal(QPointF(view->width() / 2.0, view->height() / 2.0)), QPoint(),
                          QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        QTRY_VERIFY(countPixels(view->picture()) < countPixels(shown) * 0.8);

        child<QCheckBox>(form, "CBSciezkaD")->click();
        QVERIFY(program->isVisible());
    }
};

QTEST_MAIN(ToolpathViewTest)
#include "ToolpathViewTest.moc"
