#pragma once
// The PCB page's jobs. `TPCBOpen` classifies the loaded bitmap and hands back
// its painting; `TPCBOBRYSR` exposes it line by line and hands back the program
// with the exposed positions drawn as blue dots; `TPCBOBRYSO` traces the
// finishing outline and hands back the program and the walked bands.

#include <QImage>

#include "WorkerJob.h"
#include "job/JobContext.h"
#include "pcb/ClassRendering.h"
#include "raster/PixelBuffer.h"

namespace bw::app {

// What a PCB job hands to the view.
struct PcbJobOutput {
    QImage picture;  // the painting for the view, read by "PCBZ" and "PCBRZ"
};

class TPCBOpen : public WorkerJob {
    Q_OBJECT
public:
    TPCBOpen(JobHost& host, JobContext& ctx, const PixelBuffer& picture, PcbJobOutput& output);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    const PixelBuffer& picture_;
    PcbJobOutput& output_;
};

class TPCBOBRYSR : public WorkerJob {
    Q_OBJECT
public:
    TPCBOBRYSR(JobHost& host, JobContext& ctx, PcbJobOutput& output);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    PcbJobOutput& output_;
};

class TPCBOBRYSO : public WorkerJob {
    Q_OBJECT
public:
    TPCBOBRYSO(JobHost& host, JobContext& ctx, PcbJobOutput& output, char decimalSeparator);

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
