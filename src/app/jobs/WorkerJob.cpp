#include "jobs/WorkerJob.h"

#include <exception>
#include <optional>

namespace bw::app {

namespace {

// Unwinds a job's computation from its progress report when it is cancelled.
struct JobCancelled {};

}  // namespace

WorkerJob::WorkerJob(JobHost& host) : host_(host) {}

Status WorkerJob::exchange(const char* jobMessage) {
    if (isInterruptionRequested()) { return Error{"The job was cancelled."}; }
    flushStatus();
    std::optional<Status> result;
    QMetaObject::invokeMethod(
        host_.hostObject(), [&] { result = host_.ParameterExchange(jobMessage); }, Qt::BlockingQueuedConnection);
    if (!result) { return Error{"The window did not answer the job."}; }
    return *result;
}

void WorkerJob::showStatus(const std::string& jobMessage) {
    if (isInterruptionRequested()) { throw JobCancelled{}; }
    if (jobMessage == lastStatus_) {
        pendingStatus_.clear();
        return;
    }
    constexpr auto kStatusInterval = std::chrono::milliseconds(40);
    auto now = std::chrono::steady_clock::now();
    if (!lastStatus_.empty() && now - lastStatusTime_ < kStatusInterval) {
        pendingStatus_ = jobMessage;
        return;
    }
    pendingStatus_.clear();
    lastStatus_ = jobMessage;
    lastStatusTime_ = now;
    QMetaObject::invokeMethod(
        host_.hostObject(), [&] { host_.ShowStatus(jobMessage); }, Qt::BlockingQueuedConnection);
}

void WorkerJob::reportProgress(int percent) {
    if (isInterruptionRequested()) { throw JobCancelled{}; }
    if (percent == lastPercent_) { return; }
    lastPercent_ = percent;
    emit progressed(percent);
}

void WorkerJob::flushStatus() {
    if (pendingStatus_.empty()) { return; }
    std::string text = std::move(pendingStatus_);
    pendingStatus_.clear();
    lastStatus_ = text;
    lastStatusTime_ = std::chrono::steady_clock::now();
    QMetaObject::invokeMethod(
        host_.hostObject(), [&] { host_.ShowStatus(text); }, Qt::BlockingQueuedConnection);
}

void WorkerJob::run() {
    std::string message;
    try {
        Status status = work();
        if (!isInterruptionRequested()) { flushStatus(); }
        if (!status) { message = status.error(); }
    } catch (const JobCancelled&) { return; } catch (const std::bad_alloc&) {
        message = "Not enough memory for this job.";
    } catch (const std::exception& error) { message = error.what(); }
    if (!message.empty() && !isInterruptionRequested()) { emit failed(QString::fromStdString(message)); }
}

}  // namespace bw::app
