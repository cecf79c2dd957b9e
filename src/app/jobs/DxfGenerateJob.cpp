#include "jobs/DxfGenerateJob.h"

#include <algorithm>

#include "dxf/DxfGenerator.h"
#include "job/JobSteps.h"

namespace bw::app {

DxfGenerateJob::DxfGenerateJob(JobHost& host, JobContext& ctx) : WorkerJob(host), ctx_(ctx) {}

Status DxfGenerateJob::work() {
    if (Status asked = exchange(JobCode::DxfParameters); !asked) { return asked; }
    // One report per entity and pass: counting them gives the share done.
    const std::int64_t reports =
        std::max<std::int64_t>(1, DxfPassCount(ctx_.params) * static_cast<std::int64_t>(ctx_.dxf.dxfItems.size()));
    std::int64_t reported = 0;
    Status generated = GenerateDxfProgram(ctx_, [&](std::string_view text) {
        reportProgress(static_cast<int>(std::min<std::int64_t>(100, reported * 100 / reports)));
        ++reported;
        showStatus(std::string(text));
    });
    if (!generated) { return generated; }
    return exchange(JobCode::DxfProgramReady);
}

}  // namespace bw::app
