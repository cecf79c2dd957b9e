#pragma once
// The PCB page's jobs. `PcbLoadJob` classifies the loaded bitmap and hands back
// its painting; `PcbRasterJob` exposes it line by line and hands back the program
// with the exposed positions drawn as blue dots; `PcbOutlineJob` traces the
// finishing outline and hands back the program and the walked bands.

#include <QImage>

#include <string>

#include "job/JobContext.h"
#include "jobs/WorkerJob.h"
#include "pcb/ClassRendering.h"
#include "raster/PixelBuffer.h"

namespace bw::app {

// What a PCB job hands to the view.
struct PcbJobOutput {
    QImage picture;  // the painting for the view, read by "PCBZ" and "PCBRZ"
};

// Reads the board bitmap (a large board takes a moment), classifies it and hands
// back its painting; a file that does not load fails the job and changes nothing.
class PcbLoadJob : public WorkerJob {
    Q_OBJECT
public:
    // `path` holds the file name's bytes as the system stores them.
    PcbLoadJob(JobHost& host, JobContext& ctx, std::string path, PcbJobOutput& output);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    std::string path_;
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
