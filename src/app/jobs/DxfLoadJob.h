#pragma once
// The DXF reader job: reads the drawing, computes its box, draws the preview
// into `workBitmap` and hands it back ("DXFO", then "DXFZ"). In redraw mode
// (the view was panned or zoomed) it only draws the preview again.

#include "dxf/DxfReader.h"
#include "job/JobContext.h"
#include "jobs/SharedBitmap.h"
#include "jobs/WorkerJob.h"

namespace bw::app {

class DxfLoadJob : public WorkerJob {
    Q_OBJECT
public:
    enum class Mode { Load, Redraw };

    DxfLoadJob(JobHost& host, JobContext& ctx, SharedBitmap& workBitmap, Mode mode, char decimalSeparator);

protected:
    Status work() override;

private:
    Status drawPreview();
    // "Skipped: 12 LWPOLYLINE, ..." for the status bar; empty when nothing was left out.
    std::string skippedText(const DxfLoadSummary& loaded) const;

    JobContext& ctx_;
    SharedBitmap& workBitmap_;
    Mode mode_;
    char decimalSeparator_;
    std::string skippedText_;
};

}  // namespace bw::app
