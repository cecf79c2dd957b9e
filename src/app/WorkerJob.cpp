#include "WorkerJob.h"

#include <exception>
#include <optional>

namespace bw::app {

namespace {

// Unwinds a job's computation from its progress report when the window closes.
struct JobCancelled {};

}  // namespace

WorkerJob::WorkerJob(JobHost& host) : host_(host) {}

Status WorkerJob::exchange(const char* jobMessage) {
    if (isInterruptionRequested()) { return Error{"The job was cancelled because the window is closing."}; }
    std::optional<Status> result;
    QMetaObject::invokeMethod(
        host_.hostObject(), [&] { result = host_.ParameterExchange(jobMessage); }, Qt::BlockingQueuedConnection);
    if (!result) { return Error{"The window did not answer the job."}; }
    return *result;
}

void WorkerJob::showStatus(const std::string& jobMessage) {
    if (isInterruptionRequested()) { throw JobCancelled{}; }
    if (jobMessage == lastStatus_) { return; }
    lastStatus_ = jobMessage;
    QMetaObject::invokeMethod(
        host_.hostObject(), [&] { host_.ShowStatus(jobMessage); }, Qt::BlockingQueuedConnection);
}

void WorkerJob::run() {
    std::string message;
    try {
        Status status = work();
        if (!status) { message = status.error(); }
    } catch (const JobCancelled&) {
        return;
    } catch (const std::bad_alloc&) {
        message = "Not enough memory for this job.";
    } catch (const std::exception& error) {
        message = error.what();
    }
    if (!message.empty() && !isInterruptionRequested()) { emit failed(QString::fromStdString(message)); }
}

}  // namespace bw::app
