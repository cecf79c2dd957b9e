#pragma once
// The raster job: takes the BMP/JPG fields and a copy of the adjusted picture
// ("BMPO"), engraves it line by line into the program list and hands the
// program back ("REBMP").

#include "job/JobContext.h"
#include "jobs/WorkerJob.h"
#include "raster/PixelBuffer.h"

namespace bw::app {

class RasterJob : public WorkerJob {
    Q_OBJECT
public:
    // `picture` is filled by the "BMPO" exchange.
    RasterJob(JobHost& host, JobContext& ctx, const PixelBuffer& picture, char decimalSeparator);

protected:
    Status work() override;

private:
    JobContext& ctx_;
    const PixelBuffer& picture_;
    char decimalSeparator_;
};

}  // namespace bw::app
