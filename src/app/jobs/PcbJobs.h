#pragma once
// The PCB page's jobs. `PcbLoadJob` classifies the loaded bitmap and hands back
// its painting; `PcbRasterJob` exposes it line by line and hands back the program
// with the exposed positions drawn as blue dots; `PcbOutlineJob` traces the
// finishing outline and hands back the program and the walked bands.

#include <QImage>

#include "jobs/WorkerJob.h"
#include "job/JobContext.h"
#include "pcb/ClassRendering.h"
#include "raster/PixelBuffer.h"

namespace bw::app {

// What a PCB job hands to the view.
struct PcbJobOutput {
    QImage picture;  // the painting for the view, read by "PCBZ" and "PCBRZ"
};

class PcbLoadJob : public WorkerJob {
    Q_OBJECT
public:
    PcbLoadJob(JobHost& host, JobContext& ctx, const PixelBuffer& picture, PcbJobOutput& output);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    const PixelBuffer& picture_;
    PcbJobOutput& output_;
};

class PcbRasterJob : public WorkerJob {
    Q_OBJECT
public:
    PcbRasterJob(JobHost& host, JobContext& ctx, PcbJobOutput& output);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    PcbJobOutput& output_;
};

class PcbOutlineJob : public WorkerJob {
    Q_OBJECT
public:
    PcbOutlineJob(JobHost& host, JobContext& ctx, PcbJobOutput& output, char decimalSeparator);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    PcbJobOutput& output_;
    char decimalSeparator_;
};

// A class layer painted with the page's palette, as the view shows it.
QImage paintClasses(const ClassLayer& layer, const ClassIndices& indices);

}  // namespace bw::app
