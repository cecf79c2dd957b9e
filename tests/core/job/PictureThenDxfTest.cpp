// A picture job and a DXF job run on one window state: the DXF job sets no power
// range of its own, so its cuts print the range the picture job left behind, until
// the next mask preview restores the full range.

#include <gtest/gtest.h>

#include <string>

#include "dxf/ComputeDrawingBox.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "gcode/MaskPreview.h"
#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneProcessing.h"

using namespace bw;

namespace {

// One line from (0, 0) to (10, 0).
constexpr std::string_view kLine =
    "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 11\n10\n 21\n0\n 31\n0\n"
    "  0\nENDSEC\n  0\nEOF\n";

void runPictureJob(JobContext& ctx) {
    RasterJobFields fields;
    fields.pwmMaxText = "1000";
    fields.powerMinText = "20";
    fields.powerMaxText = "80";
    fields.maskText = "[G] [X] [Y] (S)[P]";
    fields.headerText = "";
    fields.footerText = "";
    PixelBuffer picture(2, 1);
    picture.row(0)[0] = greyPixel(0);
    picture.row(0)[1] = greyPixel(128);
    ASSERT_TRUE(SetRasterOrigin(ctx, fields.pixelSizeText, picture, ',').ok());
    ASSERT_TRUE(FillRasterParameters(ctx.params, fields, picture, ',').ok());
    ASSERT_TRUE(GenerateRaster(ctx, picture, {}, ',').ok());
}

// The cut of the one line, as the DXF job prints it in a single pass.
std::string dxfCut(JobContext& ctx) {
    ctx.params.materialThickness = Fixed4::fromInt(1);
    ctx.params.layerDepth = Fixed4{};
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    ctx.params.headerText = "";
    ctx.params.footerText = "";
    ctx.dxf.dxfItems.clear();
    EXPECT_TRUE(ReadDxfEntities(kLine, ctx.dxf.dxfItems).ok());
    EXPECT_TRUE(ComputeDrawingBox(ctx, {}).ok());
    ApplyDxfStartPoint(ctx);
    EXPECT_TRUE(GenerateDxfProgram(ctx, {}).ok());
    for (std::size_t i = 0; i < ctx.programLines.size(); ++i) {
        std::string line(ctx.programLines.entry(i));
        if (line.starts_with("G1")) { return line; }
    }
    return "no cut";
}

}  // namespace

TEST(PictureThenDxf, TheDxfCutKeepsThePictureJobsPowerRangeUntilTheNextPreview) {
    JobContext ctx;
    MaskPreviewFields preview;
    preview.maskText = "[G] [X] [Y] (S)[P]";
    ASSERT_TRUE(BuildMaskPreview(ctx.writer(), preview, ',').ok());
    EXPECT_EQ(dxfCut(ctx), "G1 X10.0000 Y0.0000 S255");  // the preview's range 0..255 at start-up

    runPictureJob(ctx);
    EXPECT_EQ(ctx.params.powerMinPwm, Fixed4::fromInt(200));
    EXPECT_EQ(ctx.params.powerMaxPwm, Fixed4::fromInt(800));
    // Full power of the DXF job is the top of the picture's range, not the PWM maximum.
    EXPECT_EQ(dxfCut(ctx), "G1 X10.0000 Y0.0000 S800");

    preview.pwmMaxText = "1000";
    ASSERT_TRUE(BuildMaskPreview(ctx.writer(), preview, ',').ok());
    EXPECT_EQ(dxfCut(ctx), "G1 X10.0000 Y0.0000 S1000");
}
