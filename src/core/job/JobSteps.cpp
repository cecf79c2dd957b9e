#include "job/JobSteps.h"

#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfGenerator.h"
#include "pcb/PcbGeometry.h"

namespace bw {

Result<DxfLoadSummary> LoadDxfFile(JobContext& ctx, char decimalSeparator, const DxfStatusCallback& status) {
    return LoadDxfFile(ctx.dxf, ctx.params, ctx.languageIndex, decimalSeparator, status);
}

Status ComputeDrawingBox(JobContext& ctx, const DxfStatusCallback& status) {
    return ComputeDrawingBox(ctx.dxf, ctx.params, ctx.languageIndex, status);
}

void ApplyDxfStartPoint(JobContext& ctx) {
    ctx.applyStartPoint(ctx.dxf.drawingBox.width(), ctx.dxf.drawingBox.height());
}

Status GenerateDxfProgram(JobContext& ctx, const DxfStatusCallback& status) {
    return GenerateDxfProgram(ctx.writer(), ctx.params, ctx.dxf, ctx.languageIndex, status);
}

Status SetRasterOrigin(JobContext& ctx, std::string_view pixelSizeText, const PixelBuffer& view,
                       char decimalSeparator) {
    auto extent = RasterExtent(pixelSizeText, view, decimalSeparator);
    if (!extent) { return Error{extent.error()}; }
    ctx.applyStartPoint(extent->width, extent->height);
    return success();
}

Result<RasterOutcome> GenerateRaster(JobContext& ctx, const PixelBuffer& work, const StatusCallback& status,
                                     char decimalSeparator, const RasterProgressCallback& progress) {
    auto outcome =
        GenerateRaster(ctx.writer(), ctx.params, ctx.languageIndex, work, status, decimalSeparator, progress);
    if (outcome) { ctx.raster.previewSuppressed = outcome->previewSuppressed; }
    return outcome;
}

Status ApplyPcbStartPoint(JobContext& ctx) {
    auto extent = PcbExtentMm(ctx.pcb.pcbWidth, ctx.pcb.pcbHeight, ctx.params.pcbDpi);
    if (!extent) { return Error{extent.error()}; }
    ctx.applyStartPoint(extent->width, extent->height);
    return success();
}

Result<PcbRasterResult> GeneratePcbRaster(JobContext& ctx, const StatusCallback& status) {
    return GeneratePcbRaster(ctx.writer(), ctx.params, ctx.pcb, status);
}

Result<PcbOutlineResult> GeneratePcbOutline(JobContext& ctx, char decimalSeparator, const StatusCallback& status) {
    return GeneratePcbOutline(ctx.writer(), ctx.params, ctx.pcb, decimalSeparator, status);
}

}  // namespace bw
