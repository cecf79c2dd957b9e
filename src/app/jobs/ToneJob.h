#pragma once
// The tone job: the picture at its working size becomes black and white,
// grey or dithered; the result is handed back with "BMPZ". The job works on
// its own reference to the source picture, so a new load never changes the
// pixels under it.

#include <memory>

#include "jobs/WorkerJob.h"
#include "raster/PixelBuffer.h"
#include "raster/ToneProcessing.h"

namespace bw::app {

class ToneJob : public WorkerJob {
    Q_OBJECT
public:
    // `result` receives the processed picture before the hand-back.
    ToneJob(JobHost& host, std::shared_ptr<const PixelBuffer> source, ToneMode mode, int threshold,
            PixelBuffer& result);

protected:
    Status work() override;

private:
    std::shared_ptr<const PixelBuffer> source_;
    ToneMode mode_;
    int threshold_;
    PixelBuffer& result_;
};

}  // namespace bw::app
