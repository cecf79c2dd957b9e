#include "jobs/RasterJob.h"

#include <string>

#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"

namespace bw::app {

RasterJob::RasterJob(JobHost& host, JobContext& ctx, const PixelBuffer& picture, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), picture_(picture), decimalSeparator_(decimalSeparator) {}

Status RasterJob::work() {
    if (Status asked = exchange(JobCode::BmpParameters); !asked) { return asked; }
    // The print size, then how far the passes are, in whole percent (the status bar is updated only on a change).
    std::string printSize;
    auto status = [&](std::string_view text) {
        printSize = text;
        showStatus(printSize);
    };
    auto progress = [&](std::int64_t done, std::int64_t total) {
        showStatus(printSize + " - " + std::to_string(done * 100 / total) + "%");
    };
    auto generated = GenerateRaster(ctx_, picture_, status, decimalSeparator_, progress);
    if (!generated) { return Error{generated.error()}; }
    return exchange(JobCode::BmpProgramReady);
}

}  // namespace bw::app
