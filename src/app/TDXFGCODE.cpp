#include "TDXFGCODE.h"

#include "dxf/DxfGenerator.h"

namespace bw::app {

TDXFGCODE::TDXFGCODE(JobHost& host, JobContext& ctx) : WorkerJob(host), ctx_(ctx) {}

Status TDXFGCODE::work() {
    if (Status asked = exchange(JobCode::DxfParameters); !asked) { return asked; }
    Status generated = GenerateDxfProgram(ctx_, [this](std::string_view text) { showStatus(std::string(text)); });
    if (!generated) { return generated; }
    return exchange(JobCode::DxfProgramReady);
}

}  // namespace bw::app
