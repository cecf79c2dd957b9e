#pragma once
// Simulates a generated program in a thread of its own, so the window never
// waits for the time estimate: the result comes back in the window thread. A
// newer program cancels the estimate of an older one.

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "gcode/ProgramLines.h"
#include "simulation/ProgramSimulator.h"
#include "simulation/ToolpathRecording.h"

namespace bw::app {

class ToolpathEstimator : public QObject {
    Q_OBJECT
public:
    explicit ToolpathEstimator(QObject* parent = nullptr);
    ~ToolpathEstimator() override;

    // Takes a copy of the program (the next job may replace the shared one while
    // the estimate runs) and starts.
    void start(std::shared_ptr<const ProgramLines> program, const SimulationOptions& options);
    bool running() const { return running_; }

signals:
    void finished(const bw::SimulationSummary& summary, std::shared_ptr<const bw::ToolpathRecording> path);

private:
    void stop();

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::uint64_t generation_ = 0;
    bool running_ = false;
};

}  // namespace bw::app
