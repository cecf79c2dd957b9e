#pragma once
// The steps the window and the command line run against their shared context,
// each taking from it the parts its engine function needs and leaving there
// what the next job reads (the program, the loaded drawing or board, the origin
// offsets, the emitter settings and records).

#include "common/Result.h"
#include "common/StatusCallback.h"
#include "dxf/DxfReader.h"
#include "dxf/DxfStatus.h"
#include "job/JobContext.h"
#include "pcb/PcbOutline.h"
#include "pcb/PcbRaster.h"
#include "raster/RasterGenerator.h"

namespace bw {

// DXF page: load ctx.dxf.dxfFileName, recompute the box, set the origin from the
// box, cut the drawing into ctx.programLines.
Result<DxfLoadSummary> LoadDxfFile(JobContext& ctx, char decimalSeparator, const DxfStatusCallback& status);
Status ComputeDrawingBox(JobContext& ctx, const DxfStatusCallback& status);
void ApplyDxfStartPoint(JobContext& ctx);
Status GenerateDxfProgram(JobContext& ctx, const DxfStatusCallback& status);

// BMP/JPG page: the origin from the picture's extent, then the raster program.
// The program's preview state is kept in ctx.raster.
Status SetRasterOrigin(JobContext& ctx, std::string_view pixelSizeText, const PixelBuffer& view, char decimalSeparator);
Result<RasterOutcome> GenerateRaster(JobContext& ctx, const PixelBuffer& work, const StatusCallback& status,
                                     char decimalSeparator, const RasterProgressCallback& progress = {});

// PCB page: the origin from the loaded board's extent, then the raster exposure
// or the outline program on ctx.pcb.
Status ApplyPcbStartPoint(JobContext& ctx);
Result<PcbRasterResult> GeneratePcbRaster(JobContext& ctx, const StatusCallback& status = {});
Result<PcbOutlineResult> GeneratePcbOutline(JobContext& ctx, char decimalSeparator, const StatusCallback& status = {});

}  // namespace bw
