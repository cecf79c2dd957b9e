#pragma once
// Keeps the G-CODE Settings page's preview `REPodgladU` current: rebuilt at
// start-up, on every edit of the mask and by "Reset". The preview uses the
// shared emitter state, so while a job runs the rebuild waits for its end.

#include <QObject>

#include "job/JobContext.h"

class QStatusBar;

namespace bw::app {

class GCodeSettingsPage;
class JobRunner;
class ToolsPage;

class MaskPreviewUpdater : public QObject {
    Q_OBJECT
public:
    MaskPreviewUpdater(JobContext& ctx, GCodeSettingsPage& gcodePage, ToolsPage& toolsPage, JobRunner& jobs,
                       QStatusBar* statusBar, QObject* parent);

    // Rebuilds now, or as soon as the running job has ended.
    void rebuild();

private:
    void rebuildNow();
    // The number format follows the decimal places field, once no job emits.
    void rebuildFormat();

    JobContext& ctx_;
    GCodeSettingsPage& gcodePage_;
    ToolsPage& toolsPage_;
    JobRunner& jobs_;
    QStatusBar* statusBar_;
    bool pending_ = false;
    bool formatPending_ = false;
};

}  // namespace bw::app
