#include "output/ToolpathPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "fields/FieldReader.h"
#include "pages/gcode/GCodeSettingsPage.h"
#include "simulation/SimulationReport.h"
#include "widgets/FormControls.h"

namespace bw::app {

ToolpathPanel::ToolpathPanel(const QString& pageLetter, QWidget* programView, QWidget* parent) : QWidget(parent) {
    setObjectName("PSciezka" + pageLetter);
    toolpathShown = makeCheckBox("CBSciezka" + pageLetter, "Toolpath", false);
    travelHidden = makeCheckBox("CBUkryjJalowe" + pageLetter, "Hide travel moves", false);
    travelHidden->setEnabled(false);
    view = new ToolpathView("ISciezka" + pageLetter);
    stack_ = new QStackedWidget;
    stack_->addWidget(programView);
    stack_->addWidget(view);

    auto* switches = new QHBoxLayout;
    switches->setContentsMargins(0, 0, 0, 0);
    switches->addWidget(toolpathShown);
    switches->addWidget(travelHidden);
    switches->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(switches);
    column->addWidget(stack_, 1);

    connect(toolpathShown, &QCheckBox::toggled, this, [this](bool shown) {
        stack_->setCurrentIndex(shown ? 1 : 0);
        travelHidden->setEnabled(shown);
    });
    connect(travelHidden, &QCheckBox::toggled, this, [this](bool hidden) { view->setTravelShown(!hidden); });
    connect(&estimator_, &ToolpathEstimator::finished, this, &ToolpathPanel::showEstimate);
}

void ToolpathPanel::programGenerated(std::shared_ptr<const ProgramLines> program, const GCodeSettingsPage& gcode,
                                     bool burnAllFeedMoves) {
    Result<MachineLimits> limits = readMachineLimits(gcode);
    if (!limits) {
        showStatus(QString::fromStdString(limits.error()));
        return;
    }
    SimulationOptions options;
    options.limits = *limits;
    options.burnAllFeedMoves = burnAllFeedMoves;
    estimator_.start(std::move(program), options);
}

void ToolpathPanel::showEstimate(const SimulationSummary& summary, std::shared_ptr<const ToolpathRecording> path) {
    view->setPath(std::move(path), summary.burnBounds.empty ? summary.pathBounds : summary.burnBounds);
    QString text = QString::fromStdString(SimulationStatusText(summary));
    showStatus(text);
    emit estimated(text);
}

namespace {

// The estimate has its own place at the status bar's right end, so the job
// texts ("Print size ...") stay readable beside it.
void setEstimateLabel(QWidget* window, const QString& text) {
    auto* main = qobject_cast<QMainWindow*>(window);
    if (main == nullptr) { return; }
    auto* label = main->statusBar()->findChild<QLabel*>(kEstimateLabelName);
    if (label == nullptr) {
        if (text.isEmpty()) { return; }
        label = new QLabel;
        label->setObjectName(kEstimateLabelName);
        main->statusBar()->addPermanentWidget(label);
    }
    label->setText(text);
}

}  // namespace

void ToolpathPanel::showStatus(const QString& text) {
    lastStatus_ = text;
    lastStatusTime_ = std::chrono::steady_clock::now();
    if (onShownPage()) { setEstimateLabel(window(), text); }
}

bool ToolpathPanel::onShownPage() const {
    const auto* pages = window()->findChild<QTabWidget*>(QStringLiteral("PC1"));
    return pages == nullptr || pages->currentWidget() == nullptr || pages->currentWidget()->isAncestorOf(this);
}

void ToolpathPanel::showEstimateOf(QWidget* page) {
    if (page == nullptr) { return; }
    const ToolpathPanel* newest = nullptr;
    for (const ToolpathPanel* panel : page->findChildren<ToolpathPanel*>()) {
        if (!panel->lastStatus_.isEmpty() && (newest == nullptr || panel->lastStatusTime_ > newest->lastStatusTime_)) {
            newest = panel;
        }
    }
    setEstimateLabel(page->window(), newest != nullptr ? newest->lastStatus_ : QString());
}

Result<MachineLimits> readMachineLimits(const GCodeSettingsPage& gcode) {
    auto rate = readDecimal(gcode.EPredkoscU, gcode.LPredkoscU);
    if (!rate) { return Error{rate.error()}; }
    auto acceleration = readDecimal(gcode.EPrzyspieszenieU, gcode.LPrzyspieszenieU);
    if (!acceleration) { return Error{acceleration.error()}; }
    auto deviation = readDecimal(gcode.EOdchylenieU, gcode.LOdchylenieU);
    if (!deviation) { return Error{deviation.error()}; }
    if (rate->raw <= 0 || acceleration->raw <= 0 || deviation->raw < 0) {
        return Error{
            "The maximum rate and the acceleration must be more than zero, the junction deviation not negative"};
    }
    MachineLimits limits;
    limits.maxRateMmPerMin = rate->toDouble();
    limits.accelerationMmPerS2 = acceleration->toDouble();
    limits.junctionDeviationMm = deviation->toDouble();
    return limits;
}

}  // namespace bw::app
