#include "jobs/JobProgressBar.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace bw::app {

JobProgressBar::JobProgressBar(QStatusBar* statusBar) : QWidget(statusBar) {
    setObjectName("PJob");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("PBJob");
    bar_->setFixedWidth(160);
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName("SBCancelJob");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(bar_);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &JobProgressBar::cancelClicked);
    connect(statusBar, &QStatusBar::messageChanged, this, &JobProgressBar::statusChanged);
    statusBar->addPermanentWidget(this);
    hide();
}

void JobProgressBar::jobStarted(int delayMs) {
    running_ = true;
    const int generation = ++generation_;
    bar_->setRange(0, 0);  // busy until a percentage arrives
    cancel_->setEnabled(true);
    QTimer::singleShot(delayMs, this, [this, generation] {
        if (running_ && generation == generation_) { show(); }
    });
}

void JobProgressBar::jobEnded() {
    running_ = false;
    hide();
}

void JobProgressBar::statusChanged(const QString& text) {
    if (!running_) { return; }
    static const QRegularExpression percent(QStringLiteral("(\\d{1,3})%$"));
    const QRegularExpressionMatch match = percent.match(text);
    if (!match.hasMatch()) { return; }
    showPercent(match.captured(1).toInt());
}

void JobProgressBar::showPercent(int percent) {
    if (!running_) { return; }
    bar_->setRange(0, 100);
    bar_->setValue(std::clamp(percent, 0, 100));
}

}  // namespace bw::app
