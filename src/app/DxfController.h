#pragma once
// The DXF page's behaviour: opening a drawing, the preview with pan and zoom,
// generating the program, the pass count, saving and copying.

#include <QObject>
#include <QString>

#include "job/JobContext.h"

namespace bw::app {

class DxfPage;
class GCodeSettingsPage;
class JobExchange;
class JobRunner;
class ProgramDelivery;
class ToolsPage;

class DxfController : public QObject {
    Q_OBJECT
public:
    DxfController(JobContext& ctx, DxfPage& page, ToolsPage& tools, GCodeSettingsPage& gcode, JobRunner& jobs,
                  JobExchange& exchange, ProgramDelivery& delivery, QObject* parent);

    // The page has become current: the pass count, and the example drawing on the first visit.
    void pageShown(const QString& programFolder);
    void updatePassCount();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Status fillParameters();
    void save();
    void copy();

    JobContext& ctx_;
    DxfPage& page_;
    ToolsPage& tools_;
    GCodeSettingsPage& gcode_;
    JobRunner& jobs_;
    ProgramDelivery& delivery_;
};

}  // namespace bw::app
