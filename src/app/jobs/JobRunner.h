#pragma once
// Runs at most one worker job at a time. A start request while a job runs is
// refused with a status-bar message (not queued: the user clicks again when
// the first job is done). A failed job is reported in a message box; the
// window stays usable. A job that runs longer than a moment shows a progress
// bar with "Cancel"; a cancelled job stops at its next progress report and
// hands nothing back, so the page keeps what it showed before.

#include <QObject>
#include <QPointer>

#include <functional>

#include "jobs/WorkerJob.h"

class QStatusBar;
class QWidget;

namespace bw::app {

class JobProgressBar;

class JobRunner : public QObject {
    Q_OBJECT
public:
    JobRunner(QWidget* window, QStatusBar* statusBar);

    bool busy() const { return !running_.isNull(); }
    // When a job runs: says so in the status bar and answers true (the caller then does nothing).
    bool refuseWhileBusy();
    // Starts the job running; a refused job is deleted at once. Answers whether it started.
    bool start(WorkerJob* job);
    // Cancels the running job and waits for it, answering its exchanges meanwhile (window close).
    void cancelAndWait();
    // Asks the running job to stop (the Cancel button); "Cancelled" shows once it has.
    void cancel();

    // Shows a failed job's message; a non-blocking warning box unless replaced.
    std::function<void(const QString&)> showFailure;

signals:
    // The running job has ended (successfully or not); the next one may start.
    void jobEnded();
    // The job that just ended was cancelled by the user (emitted before jobEnded).
    void jobCancelled();

private:
    QWidget* window_;
    QStatusBar* statusBar_;
    JobProgressBar* progress_;
    QPointer<WorkerJob> running_;
    bool cancelRequested_ = false;  // by the user, for the running job
};

}  // namespace bw::app
