#include "PcbCommandOptions.h"

#include "PcbPreviewPng.h"
#include "PictureReader.h"
#include "pcb/ClassRendering.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbRaster.h"

namespace bw::cli {

void addPcbOptions(CLI::App& command, PcbCommandOptions& options) {
    PcbFields& f = options.fields;
    f.beamDiameterText = "0.2";
    f.plungeDepthText = "0.2";
    f.thicknessText = "1.5";
    options.maskFields.dirAxisStepText = "0.05";
    command.add_option("INPUT", options.input, "Monochrome BMP of one copper layer (black = copper)")->required();
    command.add_option("-o,--output", options.output, "Write the program to this file instead of standard output");
    command.add_option("--dpi", f.dpiText, "Resolution of the bitmap in dots per inch")->capture_default_str();
    command.add_option("--beam", f.beamDiameterText, "Beam spot diameter in mm")->capture_default_str();
    command.add_option("--thickness", f.thicknessText, "Material thickness in mm")->capture_default_str();
    command.add_option("--focus-z", f.focusZText, "Z of the focus plane in mm")->capture_default_str();
    command.add_flag("--engraving-cutter", f.engravingCutter, "Lift and plunge an engraving cutter instead of a laser");
    command.add_option("--lift", f.liftHeightText, "Cutter lift in mm")->capture_default_str();
    command.add_option("--plunge", f.plungeDepthText, "Cutter plunge depth in mm")->capture_default_str();
    command.add_option("--feed", f.workFeedText, "Work feed in mm/min")->capture_default_str();
    command.add_option("--rapid-feed", f.rapidFeedText, "Rapid (idle) feed in mm/min")->capture_default_str();
    command
        .add_option("--start-point", options.startPoint,
                    "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    command.add_option("--mask", options.maskFields.maskText, "G-code mask")->capture_default_str();
    command.add_option("--decimals", options.maskFields.decimalsText, "Decimal places of G-code numbers (0 keeps 4)")
        ->capture_default_str();
    command.add_option("--dir-step", options.maskFields.dirAxisStepText, "DIR-axis travel per mm of XY travel")
        ->capture_default_str();
    command.add_option("--pwm-max", f.pwmMaxText, "Maximum PWM value (a whole number)")->capture_default_str();
    command.add_option("--preview-png", options.previewPng,
                       "Also write the PCB view after the run (exposed pixels or walked bands) as a PNG file");
}

void preparePcbJob(JobContext& ctx, const PcbCommandOptions& options) {
    MaskPreviewFields maskFields = options.maskFields;
    maskFields.pwmMaxText = options.fields.pwmMaxText;
    integerOption("--decimals", maskFields.decimalsText);
    decimalOption("--dir-step", maskFields.dirAxisStepText);
    integerOption("--pwm-max", maskFields.pwmMaxText);
    ctx.startPoint = integerOption("--start-point", options.startPoint);
    auto preview = BuildMaskPreview(ctx, maskFields, kCliSeparator);
    if (!preview) {
        throw UsageError(preview.error());
    }
    Status snapshot = TakePcbSnapshot(ctx.params, options.fields, kCliSeparator);
    if (!snapshot) {
        throw UsageError(snapshot.error());
    }

    auto picture = ReadPicture(options.input);
    if (!picture) {
        throw JobError(picture.error());
    }
    Status loaded = LoadPcbBitmap(ctx.pcb, *picture);
    if (!loaded) {
        throw JobError(loaded.error());
    }
    if (!ctx.pcb.loaded()) {
        throw JobError("\"" + options.input + "\" holds no pixels");
    }
    Status origin = ApplyPcbStartPoint(ctx);
    if (!origin) {
        throw UsageError(origin.error());
    }
}

void writePcbPreview(const PcbCommandOptions& options, const ClassLayer& layer, bool outline) {
    if (options.previewPng.empty()) {
        return;
    }
    IndexedPicture view = RenderClassMap(layer, outline ? kOutlinePreviewClasses : kRasterPreviewClasses);
    Status written = WritePreviewPng(options.previewPng, ToPixels(view));
    if (!written) {
        throw JobError(written.error());
    }
}

}  // namespace bw::cli
