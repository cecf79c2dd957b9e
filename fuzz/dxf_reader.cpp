// Feeds arbitrary bytes to the DXF reader, and what it accepts to the box
// computation and a one-pass program: no crash, no hang, no sanitizer report.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "dxf/Spline.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bw::JobContext ctx;
    auto read = bw::ReadDxfEntities(text, ctx.dxf.dxfItems);
    (void)read;
    // A large spline is a legitimate long job; keep each input to a fraction of a second.
    const bw::Fixed4 segmentLength = bw::Fixed4::fromRaw(5000);
    std::int64_t pieces = 0;
    for (const bw::TItem& item : ctx.dxf.dxfItems) {
        if (item.kind != bw::DxfKind::Spline) { continue; }
        auto n = bw::SplinePieces(item, segmentLength);
        pieces += n.ok() ? *n : 0;
    }
    if (ctx.dxf.dxfItems.empty() || pieces > 20000) { return 0; }
    ctx.params.segmentLength = segmentLength;
    ctx.params.sourceWidthPx = 653;
    ctx.params.sourceHeightPx = 645;
    if (!bw::ComputeDrawingBox(ctx, {})) { return 0; }
    ctx.params.maskText = "[G] [X] [Y] [Z] [I] [J] [F] (S)[P] (A)[a]";
    ctx.params.dirAxisStep = bw::Fixed4::fromRaw(500);
    ctx.params.pwmMax = bw::Fixed4::fromInt(255);
    ctx.params.powerMaxPwm = bw::Fixed4::fromInt(255);
    ctx.params.materialThickness = bw::Fixed4::fromInt(1);
    ctx.params.layerDepth = bw::Fixed4{};
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    bw::ApplyDxfStartPoint(ctx);
    auto generated = bw::GenerateDxfProgram(ctx, {});
    (void)generated;
    return 0;
}
