#include "output/ToolpathEstimator.h"

#include <QMetaObject>

namespace bw::app {

ToolpathEstimator::ToolpathEstimator(QObject* parent) : QObject(parent) {}

ToolpathEstimator::~ToolpathEstimator() { stop(); }

void ToolpathEstimator::stop() {
    cancel_ = true;
    if (thread_.joinable()) { thread_.join(); }
    cancel_ = false;
    running_ = false;
}

void ToolpathEstimator::start(std::shared_ptr<const ProgramLines> program, const SimulationOptions& options) {
    stop();
    const std::uint64_t generation = ++generation_;
    running_ = true;
    // The view shares the program, so the estimate reads it without a copy.
    thread_ = std::thread([this, lines = std::move(program), options, generation] {
        auto path = std::make_shared<ToolpathRecording>();
        ProgramSimulator simulator(options, [&path](const ToolpathSegment& segment) { path->add(segment); });
        for (std::size_t i = 0; i < lines->size(); ++i) {
            if ((i & 0xFFFF) == 0 && cancel_) { return; }
            simulator.addText(lines->entry(i));  // an entry may hold several lines
        }
        SimulationSummary summary = simulator.finish();
        QMetaObject::invokeMethod(
            this,
            [this, summary = std::move(summary), path = std::move(path), generation] {
                if (generation != generation_) { return; }
                running_ = false;
                emit finished(summary, path);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace bw::app
