#include "TBMPGCODE.h"

#include "raster/RasterGenerator.h"

namespace bw::app {

TBMPGCODE::TBMPGCODE(JobHost& host, JobContext& ctx, const PixelBuffer& picture, char decimalSeparator)
    : WorkerJob(host), ctx_(ctx), picture_(picture), decimalSeparator_(decimalSeparator) {}

Status TBMPGCODE::work() {
    if (Status asked = exchange(JobCode::BmpParameters); !asked) { return asked; }
    auto generated =
        GenerateRaster(ctx_, picture_, [this](const std::string& text) { showStatus(text); }, decimalSeparator_);
    if (!generated) { return Error{generated.error()}; }
    return exchange(JobCode::BmpProgramReady);
}

}  // namespace bw::app
