#include "jobs/JobRunner.h"

#include <QCoreApplication>
#include <QStatusBar>

#include <utility>

#include "jobs/JobProgressBar.h"
#include "shell/MessageBoxes.h"

namespace bw::app {

JobRunner::JobRunner(QWidget* window, QStatusBar* statusBar)
    : QObject(window), window_(window), statusBar_(statusBar), progress_(new JobProgressBar(statusBar)) {
    showFailure = [this](const QString& message) { showWarning(window_, message); };
    connect(progress_, &JobProgressBar::cancelClicked, this, &JobRunner::cancel);
}

bool JobRunner::refuseWhileBusy() {
    if (!busy()) { return false; }
    statusBar_->showMessage(QStringLiteral("A job is still running. Please wait until it has finished."));
    return true;
}

bool JobRunner::start(WorkerJob* job) {
    if (refuseWhileBusy()) {
        delete job;
        return false;
    }
    running_ = job;
    job->setParent(this);  // a job still queued for deletion when the window goes is deleted with it
    connect(job, &WorkerJob::failed, this, [this](const QString& message) {
        if (showFailure) { showFailure(message); }
    });
    connect(job, &WorkerJob::progressed, progress_, &JobProgressBar::showPercent);
    connect(job, &QThread::finished, this, [this, job] {
        if (running_ == job) { running_ = nullptr; }
        job->deleteLater();
        progress_->jobEnded();
        if (std::exchange(cancelRequested_, false)) {
            statusBar_->showMessage(QStringLiteral("Cancelled"));
            emit jobCancelled();
        }
        emit jobEnded();
    });
    // Short jobs end before the bar would appear; only longer ones show it.
    constexpr int kProgressDelayMs = 300;
    cancelRequested_ = false;
    progress_->jobStarted(kProgressDelayMs);
    job->start();
    return true;
}

void JobRunner::cancel() {
    if (running_.isNull()) { return; }
    cancelRequested_ = true;
    running_->requestInterruption();
}

void JobRunner::cancelAndWait() {
    if (running_.isNull()) { return; }
    running_->requestInterruption();
    // The job may be waiting for an exchange in this thread: keep answering until it ends.
    while (!running_.isNull() && !running_->wait(10)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QCoreApplication::sendPostedEvents(this);
}

}  // namespace bw::app
