#include "PcbCommandOptions.h"

#include "PcbPreviewPng.h"
#include "PictureReader.h"
#include "job/JobSteps.h"
#include "pcb/ClassRendering.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbGeometry.h"
#include "pcb/PcbRaster.h"

namespace bw::cli {

void addPcbOptions(CLI::App& command, PcbCommandOptions& options) {
    PcbCommandOptions& o = options;
    o.maskFields.dirAxisStepText = "0.05";
    command.add_option("INPUT", o.input, "Monochrome BMP of one copper layer (black = copper)")->required();
    command.add_option("-o,--output", o.output, "Write the program to this file instead of standard output");
    o.dpi.option = command.add_option("--dpi", o.dpi.value, "Resolution of the bitmap in dots per inch (default 508)");
    o.beamDiameter.option =
        command.add_option("--beam", o.beamDiameter.value, "Beam spot diameter in mm (default 0.2)");
    o.thickness.option = command.add_option("--thickness", o.thickness.value, "Material thickness in mm (default 1.5)");
    command.add_option("--focus-z", o.focusZ, "Z of the focus plane in mm")->capture_default_str();
    o.engravingCutterOption = command.add_flag("--engraving-cutter", o.engravingCutter,
                                               "Lift and plunge an engraving cutter instead of a laser");
    o.liftHeight.option = command.add_option("--lift", o.liftHeight.value, "Cutter lift in mm (default 2)");
    o.plungeDepth.option =
        command.add_option("--plunge", o.plungeDepth.value, "Cutter plunge depth in mm (default 0.2)");
    o.workFeed.option = command.add_option("--feed", o.workFeed.value, "Work feed in mm/min (default 1500)");
    o.rapidFeed.option =
        command.add_option("--rapid-feed", o.rapidFeed.value, "Rapid (idle) feed in mm/min (default 5000)");
    command
        .add_option("--start-point", o.startPoint, "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    command.add_option("--decimals", o.maskFields.decimalsText, "Decimal places of G-code numbers (0 keeps 4)")
        ->capture_default_str();
    command.add_option("--dir-step", o.maskFields.dirAxisStepText, "DIR-axis travel per mm of XY travel")
        ->capture_default_str();
    o.gcode.add(command, false);
    o.page.add(command);
    command.add_option("--preview-png", o.previewPng,
                       "Also write the PCB view after the run (exposed pixels or walked bands) as a PNG file");
}

namespace {

// Defaults, then the profiles, then the options given.
PcbFields resolveFields(const PcbCommandOptions& o, const GCodeSettings& gcode) {
    FieldValues page = o.page.fields();
    PcbFields f;
    f.workFeedText = o.workFeed.orField(page, "ESzRPCB");
    f.rapidFeedText = o.rapidFeed.orField(page, "ESzJPCB");
    f.dpiText = o.dpi.orField(page, "Edit2");
    f.beamDiameterText = o.beamDiameter.orField(page, "Edit3");
    f.focusZText = o.focusZ;
    f.liftHeightText = o.liftHeight.orField(page, "EUnoszenieP");
    f.plungeDepthText = o.plungeDepth.orField(page, "EZaglP");
    f.thicknessText = o.thickness.orField(page, "EGruboscP");
    f.engravingCutter = o.engravingCutterOption->count() > 0 || page.flag("CBGrawerski");
    f.pwmMaxText = gcode.pwmMaxText;
    return f;
}

}  // namespace

void preparePcbJob(JobContext& ctx, const PcbCommandOptions& options) {
    GCodeSettings gcode = options.gcode.resolve();
    PcbFields fields = resolveFields(options, gcode);
    MaskPreviewFields maskFields = options.maskFields;
    maskFields.maskText = gcode.maskText;
    maskFields.pwmMaxText = fields.pwmMaxText;
    rangedOption("--decimals", maskFields.decimalsText, FieldRanges::Decimals);
    rangedOption("--dir-step", maskFields.dirAxisStepText, FieldRanges::DirAxisStep);
    integerOption("--pwm-max", maskFields.pwmMaxText);
    ctx.startPoint = rangedWhole("--start-point", options.startPoint, FieldRanges::StartPoint);
    rangedOption("--dpi", fields.dpiText, FieldRanges::Dpi);
    rangedOption("--beam", fields.beamDiameterText, FieldRanges::BeamDiameter);
    rangedOption("--thickness", fields.thicknessText, FieldRanges::Thickness);
    auto preview = BuildMaskPreview(ctx.writer(), maskFields, kCliSeparator);
    if (!preview) { throw UsageError(preview.error()); }
    Status snapshot = TakePcbSnapshot(ctx.params, fields, kCliSeparator);
    if (!snapshot) { throw UsageError(snapshot.error()); }
    // The beam must cover one pixel and at most the largest supported disk at this resolution.
    if (auto radius = BeamRadiusPx(ctx.params.beamDiameter, ctx.params.pcbDpi); !radius) {
        throw UsageError("--beam, --dpi: " + radius.error());
    }

    auto picture = LoadPcbPicture(options.input);
    if (!picture) { throw JobError(picture.error()); }
    Status loaded = LoadPcbBitmap(ctx.pcb, *picture);
    if (!loaded) { throw JobError(loaded.error()); }
    if (!ctx.pcb.loaded()) { throw JobError("\"" + options.input + "\" holds no pixels"); }
    Status origin = ApplyPcbStartPoint(ctx);
    if (!origin) { throw UsageError(origin.error()); }
}

PcbOutputs openPcbOutputs(const PcbCommandOptions& options) {
    std::vector<std::string> inputs = options.gcode.inputFiles();
    inputs.push_back(options.input);
    inputs.push_back(options.page.inputFile());
    PcbOutputs outputs{openOutput("--output", options.output, inputs), std::nullopt};
    if (!options.previewPng.empty()) {
        if (!options.output.empty() && IsSameFile(options.previewPng, options.output)) {
            throw UsageError("--preview-png: \"" + options.previewPng + "\" is also the program's file");
        }
        outputs.preview = openOutput("--preview-png", options.previewPng, inputs);
    }
    return outputs;
}

void deliverPcbOutputs(PcbOutputs& outputs, const ClassLayer& layer, bool outline) {
    if (outputs.preview) {
        IndexedPicture view = RenderClassMap(layer, outline ? kOutlinePreviewClasses : kRasterPreviewClasses);
        auto png = EncodePreviewPng(ToPixels(view));
        if (!png) { throw JobError(png.error()); }
        outputs.preview->write(*png);
        commitOutput(*outputs.preview);
    }
    commitOutput(outputs.program);
}

}  // namespace bw::cli
