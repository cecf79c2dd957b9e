// Feeds arbitrary bytes to the full DXF reading (sections, blocks, polylines,
// ellipses, splines, units), and what it accepts to the box computation: no
// crash, no hang, no sanitizer report. The skipped-kinds count of the line
// scanner's warning walks the same bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfFullReader.h"
#include "dxf/DxfSkippedKinds.h"
#include "dxf/Spline.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)bw::CountScannerSkippedKinds(text);
    bw::JobContext ctx;
    // A drawing of millions of pieces is a legitimate long job; keep each input to a fraction of a second.
    auto read = bw::ReadDxfDrawing(text, bw::kDxfChordError, ctx.dxf.dxfItems, 20000);
    if (!read || ctx.dxf.dxfItems.empty()) { return 0; }
    const bw::Fixed4 segmentLength = bw::Fixed4::fromRaw(5000);
    std::int64_t pieces = 0;
    for (const bw::TItem& item : ctx.dxf.dxfItems) {
        if (item.kind != bw::DxfKind::Spline) { continue; }
        auto n = bw::SplinePieces(item, segmentLength);
        pieces += n.ok() ? *n : 0;
    }
    if (pieces > 20000) { return 0; }
    ctx.params.segmentLength = segmentLength;
    ctx.params.sourceWidthPx = 653;
    ctx.params.sourceHeightPx = 645;
    (void)bw::ComputeDrawingBox(ctx, {});
    return 0;
}
