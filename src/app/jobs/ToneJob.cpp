#include "jobs/ToneJob.h"

#include "job/JobParameters.h"

namespace bw::app {

ToneJob::ToneJob(JobHost& host, std::shared_ptr<const PixelBuffer> source, ToneMode mode, int threshold,
                 PixelBuffer& result)
    : WorkerJob(host), source_(std::move(source)), mode_(mode), threshold_(threshold), result_(result) {}

Status ToneJob::work() {
    // Cancel ends the run at the next band of rows (reportProgress unwinds it).
    PixelBuffer toned =
        source_ ? ProcessTones(*source_, mode_, threshold_, [this](int percent) { reportProgress(percent); })
                : PixelBuffer{};
    // The window reads the result only in the hand-back, while this job waits.
    result_ = std::move(toned);
    return exchange(JobCode::BmpPictureReady);
}

}  // namespace bw::app
