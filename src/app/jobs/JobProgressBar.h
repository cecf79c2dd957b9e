#pragma once
// The status bar's progress bar and "Cancel" button for long jobs. It appears
// once a job has run for a moment (short jobs do not flicker it), follows the
// percentage at the end of the job's status texts ("Reading: 40%") or, when a
// job reports none, shows that it is busy.

#include <QWidget>

class QProgressBar;
class QPushButton;
class QStatusBar;

namespace bw::app {

class JobProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit JobProgressBar(QStatusBar* statusBar);

    // A job has started: shown after `delayMs` unless it ends first.
    void jobStarted(int delayMs);
    void jobEnded();
    // The running job's share done, from a job that counts its work instead of saying it.
    void showPercent(int percent);
    QPushButton* cancelButton() { return cancel_; }

signals:
    void cancelClicked();

private:
    void statusChanged(const QString& text);

    QProgressBar* bar_;
    QPushButton* cancel_;
    int generation_ = 0;  // tells a delayed show which job it belongs to
    bool running_ = false;
};

}  // namespace bw::app
