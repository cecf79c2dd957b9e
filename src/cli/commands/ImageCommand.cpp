// beamwright-cli image: the BMP/JPG page without the window. The picture goes
// through the same steps as there (read at its own size, resolution fields,
// re-read at the chosen size, tones, adjustments) and the same raster job.

#include <iostream>
#include <optional>

#include "CliSupport.h"
#include "PictureReader.h"
#include "ProfileOptions.h"
#include "common/QuotedText.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"
#include "job/StartPoint.h"
#include "raster/PictureSizing.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"
#include "settings/FormDefaults.h"

namespace bw::cli {

namespace {

// Values kept in a BMP/JPG profile come from the form defaults or the profile unless given.
struct ImageOptions {
    std::string input;
    std::string output;
    FieldOption pixelSize;  // ESkala
    std::string width;
    std::string height;
    bool keepAspect = false;  // CBProporcjeB
    CLI::Option* keepAspectOption = nullptr;
    FieldOption mode;       // CBSzarosc, CBDithering
    FieldOption threshold;  // TBProg
    std::string gamma = "1.00";
    std::string brightness = "0";
    std::string contrast = "0";
    FieldOption powerMin;     // EMocBMin
    FieldOption powerMax;     // EMocBMax
    bool horizontal = false;  // CBRPoz
    bool vertical = false;    // CBRPio
    bool frame = false;       // CBRamkaB
    CLI::Option* horizontalOption = nullptr;
    CLI::Option* verticalOption = nullptr;
    CLI::Option* frameOption = nullptr;
    FieldOption feed;       // ESzRBMP
    FieldOption rapidFeed;  // ESzJBMP
    FieldOption thickness;  // EGruboscB
    std::string focusZ = FormDefaultText("EOgniskowa", '.');
    std::string dirStep = FormDefaultText("EEkstruzja", '.');
    std::string startPoint = FormDefaultText(kStartPointId, '.');
    std::string decimals = FormDefaultText("EIloscZerU", '.');
    GCodeOptions gcode;
    PageProfileOption page{ProfileKind::Bmp};
    std::string previewPng;
};

// The values the run uses, after defaults, profiles and options.
struct ImageValues {
    std::string pixelSize, mode, threshold, powerMin, powerMax, feed, rapidFeed, thickness;
    bool keepAspect = false, horizontal = true, vertical = false, frame = false;
};

ImageValues resolve(const ImageOptions& o) {
    FieldValues page = o.page.fields();
    ImageValues v;
    v.pixelSize = o.pixelSize.orField(page, "ESkala");
    // Dithering wins over greyscale, as the page decides it.
    std::string pageMode = page.flag("CBDithering") ? "dither" : page.flag("CBSzarosc") ? "grey" : "threshold";
    v.mode = o.mode.given() ? o.mode.value : pageMode;
    v.threshold = o.threshold.given() ? o.threshold.value : std::to_string(page.index("TBProg", 128));
    v.powerMin = o.powerMin.orField(page, "EMocBMin");
    v.powerMax = o.powerMax.orField(page, "EMocBMax");
    v.feed = o.feed.orField(page, "ESzRBMP");
    v.rapidFeed = o.rapidFeed.orField(page, "ESzJBMP");
    v.thickness = o.thickness.orField(page, "EGruboscB");
    v.keepAspect = o.keepAspectOption->count() > 0 || page.flag("CBProporcjeB");
    bool passNamed = o.horizontalOption->count() > 0 || o.verticalOption->count() > 0;
    // Passes named on the command line are exactly the passes run; none named keeps the page's (or horizontal).
    v.horizontal = passNamed ? o.horizontal : page.flag("CBRPoz", true);
    v.vertical = passNamed ? o.vertical : page.flag("CBRPio");
    if (!v.horizontal && !v.vertical) { v.horizontal = true; }
    v.frame = o.frameOption->count() > 0 || page.flag("CBRamkaB");
    return v;
}

int rangedInteger(const std::string& option, const std::string& text, int low, int high) {
    int value = integerOption(option, text);
    if (value < low || value > high) {
        throw UsageError(option + ": " + QuoteForMessage(text) + " is outside " + std::to_string(low) + ".." +
                         std::to_string(high));
    }
    return value;
}

// Gamma as the window's track bar holds it: hundredths from 0.01 to 8.00.
int gammaPosition(const std::string& text) {
    Fixed4 gamma = decimalOption("--gamma", text);
    if (gamma.raw % 100 != 0 || gamma.raw < 100 || gamma.raw > 80000) {
        throw UsageError("--gamma: " + QuoteForMessage(text) +
                         " must lie between 0.01 and 8.00 with at most two decimals");
    }
    return static_cast<int>(gamma.raw / 100);
}

// A resolution as typed into its field: digits only.
std::string resolutionText(const std::string& option, const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError(option + ": " + QuoteForMessage(text) + " is not a whole number of pixels");
    }
    return text;
}

LoadedPicture load(const std::string& path, PictureRequest request) {
    auto loaded = LoadPicture(path, request.width, request.height);
    if (!loaded) { throw JobError(loaded.error()); }
    return std::move(loaded).value();
}

void runImage(const ImageOptions& o) {
    const GCodeSettings gcode = o.gcode.resolve();
    const ImageValues v = resolve(o);
    // Check every option before any work, so a typo never costs a long job.
    JobContext ctx;
    ctx.startPoint = rangedWhole("--start-point", o.startPoint, FieldRanges::StartPoint);
    rangedOption("--pixel-size", v.pixelSize, FieldRanges::PixelSize);
    rangedOption("--thickness", v.thickness, FieldRanges::Thickness);
    const int threshold = rangedInteger("--threshold", v.threshold, 0, 255);
    ToneAdjustments adjustments{
        gammaPosition(o.gamma),
        rangedInteger("--brightness", o.brightness, -kMaxBrightnessContrast, kMaxBrightnessContrast),
        rangedInteger("--contrast", o.contrast, -kMaxBrightnessContrast, kMaxBrightnessContrast)};
    for (const auto& [option, text] :
         {std::pair{"--power-min", v.powerMin}, {"--power-max", v.powerMax}, {"--focus-z", o.focusZ}}) {
        decimalOption(option, text);
    }
    if (auto feed = parseFeed(v.feed, "--feed"); !feed) { throw UsageError(feed.error()); }
    if (auto feed = parseFeed(v.rapidFeed, "--rapid-feed"); !feed) { throw UsageError(feed.error()); }
    if (v.keepAspect && !o.height.empty()) { throw UsageError("--height cannot be given with --keep-aspect"); }
    const std::string width = o.width.empty() ? "" : resolutionText("--width", o.width);
    const std::string height = o.height.empty() ? "" : resolutionText("--height", o.height);

    // Like the window at start-up: the mask preview sets the number format and the mask.
    MaskPreviewFields preview{gcode.maskText, o.decimals, o.dirStep, gcode.pwmMaxText};
    rangedOption("--dir-step", o.dirStep, FieldRanges::DirAxisStep);
    rangedOption("--decimals", o.decimals, FieldRanges::Decimals);
    if (auto built = BuildMaskPreview(ctx.writer(), preview, kCliSeparator); !built) {
        throw UsageError(built.error());
    }

    RasterJobFields fields;
    fields.pixelSizeText = v.pixelSize;
    fields.focusZText = o.focusZ;
    fields.thicknessText = v.thickness;
    fields.workFeedText = v.feed;
    fields.rapidFeedText = v.rapidFeed;
    fields.horizontal = v.horizontal;
    fields.vertical = v.vertical;
    fields.frame = v.frame;
    fields.pwmMaxText = gcode.pwmMaxText;
    fields.powerMinText = v.powerMin;
    fields.powerMaxText = v.powerMax;
    fields.dirAxisStepText = o.dirStep;
    fields.maskText = gcode.maskText;
    fields.headerText = gcode.headerText;
    fields.footerText = gcode.footerText;

    // The outputs may not replace an input; their folders are checked before the work.
    std::vector<std::string> inputs = o.gcode.inputFiles();
    inputs.push_back(o.input);
    inputs.push_back(o.page.inputFile());
    OutputFile program = openOutput("--output", o.output, inputs);
    std::optional<OutputFile> previewFile;
    if (!o.previewPng.empty()) {
        if (!o.output.empty() && IsSameFile(o.previewPng, o.output)) {
            throw UsageError("--preview-png: \"" + o.previewPng + "\" is also the program's file");
        }
        previewFile = openOutput("--preview-png", o.previewPng, inputs);
    }

    // Open the picture, then type the resolution and release the key, as on the page.
    ResolutionFields sizing;
    sizing.pixelSizeText = v.pixelSize;
    sizing.keepAspect = v.keepAspect;
    ctx.raster.pictureFileName = o.input;
    // A size given on the command line reads the picture once, at that size: its own size
    // comes from the header. Without one, or when the header tells nothing, the whole
    // picture is read first, as the page opens it.
    std::optional<LoadedPicture> picture;
    std::optional<PictureDimensions> stored;
    if (!width.empty() || !height.empty()) { stored = ReadStoredPictureSize(o.input); }
    if (!stored) {
        picture = load(o.input, PictureRequest{});
        stored = PictureDimensions{picture->pixels.width, picture->pixels.height};
    }
    RecordLoadedPicture(sizing, ctx.raster, PictureRequest{}, stored->width, stored->height, kCliSeparator);
    if (!width.empty()) { SetResolutionField(sizing, ResolutionField::Width, width, ctx.raster, kCliSeparator); }
    if (!height.empty()) { SetResolutionField(sizing, ResolutionField::Height, height, ctx.raster, kCliSeparator); }
    if (auto request = CommitResolution(sizing, ctx.raster)) {
        picture = load(o.input, *request);
        RecordLoadedPicture(sizing, ctx.raster, *request, picture->pixels.width, picture->pixels.height, kCliSeparator);
    } else if (!picture) {
        picture = load(o.input, PictureRequest{});
    }

    ToneMode mode = v.mode == "threshold" ? ToneMode::Threshold
                    : v.mode == "dither"  ? ToneMode::Dithering
                                          : ToneMode::Greyscale;
    PixelBuffer view = ProcessTones(std::move(picture->pixels), mode, threshold);
    const ToneAdjustments active = ActiveAdjustments(mode, adjustments);
    if (active.gammaPosition != adjustments.gammaPosition || active.brightness != adjustments.brightness ||
        active.contrast != adjustments.contrast) {
        std::cerr << "beamwright-cli: warning: --gamma, --brightness and --contrast act in grey mode only: ignored\n";
    }
    if (ChangesTones(active)) { ApplyAdjustments(view, active); }  // the tones' pixels are opaque already
    if (previewFile) {
        auto png = EncodePicturePng(view);
        if (!png) { throw JobError(png.error()); }
        previewFile->write(*png);
    }

    if (Status origin = SetRasterOrigin(ctx, fields.pixelSizeText, view, kCliSeparator); !origin) {
        throw UsageError(origin.error());
    }
    if (Status filled = FillRasterParameters(ctx.params, fields, view, kCliSeparator); !filled) {
        throw UsageError(filled.error());
    }
    ProgramStream stream(ctx.programLines, program);
    auto outcome = GenerateRaster(ctx, view, {}, kCliSeparator);
    if (!outcome) { throw JobError(outcome.error()); }
    stream.finish();
    if (previewFile) { commitOutput(*previewFile); }
    commitOutput(program);
}

}  // namespace

void addImageCommand(CLI::App& app, Runner& run) {
    auto o = std::make_shared<ImageOptions>();
    CLI::App* c = app.add_subcommand("image", "Engrave a BMP or JPEG picture line by line (the BMP/JPG page)");
    c->add_option("INPUT", o->input, "BMP or JPEG picture, at most 2000 x 2000 pixels")->required();
    c->add_option("-o,--output", o->output, "Write the program to this file instead of standard output");
    o->pixelSize.option = c->add_option("--pixel-size", o->pixelSize.value, "Pixel size [mm/pixel] (default 0.3)");
    c->add_option("--width", o->width, "Working width in pixels (the picture is resampled; at most 3000)");
    c->add_option("--height", o->height, "Working height in pixels (not with --keep-aspect)");
    o->keepAspectOption =
        c->add_flag("--keep-aspect", o->keepAspect, "Derive the height from the width and the picture's proportions");
    o->mode.option =
        c->add_option("--mode", o->mode.value, "Tones: threshold (black/white), grey, or dither (default grey)")
            ->check(CLI::IsMember({"threshold", "grey", "dither"}));
    o->threshold.option =
        c->add_option("--threshold", o->threshold.value, "Black/white threshold 0..255, threshold mode (default 128)");
    c->add_option("--gamma", o->gamma, "Gamma 0.01..8.00")->capture_default_str();
    c->add_option("--brightness", o->brightness, "Brightness -255..255")->capture_default_str();
    c->add_option("--contrast", o->contrast, "Contrast -255..255")->capture_default_str();
    o->powerMin.option = c->add_option("--power-min", o->powerMin.value,
                                       "Power of the lightest burnt grey, percent of --pwm-max (default 0)");
    o->powerMax.option =
        c->add_option("--power-max", o->powerMax.value, "Power of black, percent of --pwm-max (default 100)");
    o->horizontalOption =
        c->add_flag("--horizontal", o->horizontal, "Horizontal raster pass (the default when no pass is named)");
    o->verticalOption =
        c->add_flag("--vertical", o->vertical, "Vertical raster pass (after the horizontal one when both are named)");
    o->frameOption = c->add_flag("--frame", o->frame, "Burn a frame round the picture first");
    o->feed.option = c->add_option("--feed", o->feed.value, "Work speed [mm/min] (default 1500)");
    o->rapidFeed.option = c->add_option("--rapid-feed", o->rapidFeed.value, "Idle speed [mm/min] (default 5000)");
    o->thickness.option = c->add_option("--thickness", o->thickness.value, "Material thickness [mm] (default 1.5)");
    c->add_option("--focus-z", o->focusZ, "Focus distance (Z) [mm]")->capture_default_str();
    c->add_option("--dir-step", o->dirStep, "DIR-axis travel per mm of XY travel")->capture_default_str();
    c->add_option("--start-point", o->startPoint, "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    c->add_option("--decimals", o->decimals, "Decimal places of G-code numbers (0 keeps 4)")->capture_default_str();
    o->gcode.add(*c);
    o->page.add(*c);
    c->add_option("--preview-png", o->previewPng, "Also write the processed picture (what will be engraved) as PNG");
    c->callback([&run, o] { run = [o] { runImage(*o); }; });
}

}  // namespace bw::cli
