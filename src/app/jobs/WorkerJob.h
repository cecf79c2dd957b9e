#pragma once
// Base of every worker job: a thread with one run operation that reaches the
// window only through the synchronized exchange and status calls. A job that
// fails reports its message through `failed`; it never touches a widget.

#include <QThread>

#include <chrono>
#include <string>

#include "common/Result.h"
#include "jobs/JobHost.h"

namespace bw::app {

class WorkerJob : public QThread {
    Q_OBJECT
public:
    explicit WorkerJob(JobHost& host);

signals:
    // Emitted from the worker thread when the run ends with an error (not when it was cancelled).
    void failed(const QString& message);
    // Emitted from the worker thread when a job that knows its size has done another percent.
    void progressed(int percent);

protected:
    // The job's work; an error ends the run and is shown by the window.
    virtual Status work() = 0;
    // Synchronizes ParameterExchange for the code; fails when the window refuses or the job was cancelled.
    Status exchange(const char* jobMessage);
    // Synchronizes ShowStatus; a text equal to the last one shown is not sent again, and
    // texts coming faster than the eye can follow wait (the newest one is shown before the
    // next exchange and when the run ends), since every call stops the worker until the
    // window has answered. When the job was cancelled (the Cancel button, or the window
    // closing), it ends the run instead (the engine reports progress often, so this is
    // how a long computation stops).
    void showStatus(const std::string& jobMessage);
    // Tells the progress bar the share done (sent only when it changes); like showStatus it
    // ends the run instead when the job was cancelled.
    void reportProgress(int percent);
    JobHost& host() { return host_; }

private:
    void run() final;

    JobHost& host_;
    void flushStatus();

    std::string lastStatus_;
    std::string pendingStatus_;  // a text that arrived too soon after the last one shown
    std::chrono::steady_clock::time_point lastStatusTime_;
    int lastPercent_ = -1;
};

}  // namespace bw::app
