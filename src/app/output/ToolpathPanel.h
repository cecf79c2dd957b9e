#pragma once
// The G-CODE tab's program area: the program text, or at the flick of a check
// box the toolpath view of the same program. After every Generate the program
// is simulated in the background; the view and the status bar's estimate ("N
// lines, burn X m, travel Y m, about h:mm:ss") follow when it is ready.

#include <QCheckBox>
#include <QStackedWidget>
#include <QWidget>

#include <chrono>

#include "common/Result.h"
#include "output/ToolpathEstimator.h"
#include "output/ToolpathView.h"

namespace bw::app {

class GCodeSettingsPage;

// The status bar's label for the estimate.
inline constexpr const char* kEstimateLabelName = "LSzacunek";

class ToolpathPanel : public QWidget {
    Q_OBJECT
public:
    // `programView` is the page's program text view; the panel takes it in.
    ToolpathPanel(const QString& pageLetter, QWidget* programView, QWidget* parent = nullptr);

    QCheckBox* toolpathShown;  // CBSciezka + page letter
    QCheckBox* travelHidden;   // CBUkryjJalowe + page letter
    ToolpathView* view;        // ISciezka + page letter

    // A program has been generated: estimate it with the machine values of the
    // G-CODE Settings page (a bad value is named in the status bar instead).
    void programGenerated(std::shared_ptr<const ProgramLines> program, const GCodeSettingsPage& gcode,
                          bool burnAllFeedMoves = false);
    bool estimating() const { return estimator_.running(); }

    // Shows the newest estimate of the page's panels at the status bar's end
    // (nothing when the page has none): an estimate belongs to its page.
    static void showEstimateOf(QWidget* page);

signals:
    void estimated(const QString& statusText);

private:
    void showEstimate(const SimulationSummary& summary, std::shared_ptr<const ToolpathRecording> path);
    void showStatus(const QString& text);
    bool onShownPage() const;

    QStackedWidget* stack_;
    QString lastStatus_;
    std::chrono::steady_clock::time_point lastStatusTime_{};
    ToolpathEstimator estimator_;
};

// The machine values of the G-CODE Settings page.
Result<MachineLimits> readMachineLimits(const GCodeSettingsPage& gcode);

}  // namespace bw::app
