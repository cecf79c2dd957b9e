// beamwright-cli image: the BMP/JPG page without the window. The picture goes
// through the same steps as there (read at its own size, resolution fields,
// re-read at the chosen size, tones, adjustments) and the same raster job.

#include "CliSupport.h"
#include "PictureReader.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "job/StartPoint.h"
#include "raster/PictureSizing.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"

namespace bw::cli {

namespace {

struct ImageOptions {
    std::string input;
    std::string output;
    std::string pixelSize = "0.3";
    std::string width;
    std::string height;
    bool keepAspect = false;
    std::string mode = "grey";
    std::string threshold = "128";
    std::string gamma = "1.00";
    std::string brightness = "0";
    std::string contrast = "0";
    std::string powerMin = "0";
    std::string powerMax = "100";
    bool horizontal = false;
    bool vertical = false;
    bool frame = false;
    std::string feed = "1500";
    std::string rapidFeed = "5000";
    std::string thickness = "1.5";
    std::string focusZ = "0";
    std::string dirStep = "0.05";
    std::string startPoint = "7";
    std::string mask = "[G] [x] [y] [z] [I] [J] [F] (S)[p]";
    std::string decimals = "4";
    std::string pwmMax = "255";
    std::string headerFile;
    std::string footerFile;
    std::string previewPng;
};

int rangedInteger(const std::string& option, const std::string& text, int low, int high) {
    int value = integerOption(option, text);
    if (value < low || value > high) {
        throw UsageError(option + ": '" + text + "' is outside " + std::to_string(low) + ".." + std::to_string(high));
    }
    return value;
}

// Gamma as the window's track bar holds it: hundredths from 0.01 to 8.00.
int gammaPosition(const std::string& text) {
    Fixed4 gamma = decimalOption("--gamma", text);
    if (gamma.raw % 100 != 0 || gamma.raw < 100 || gamma.raw > 80000) {
        throw UsageError("--gamma: '" + text + "' must lie between 0.01 and 8.00 with at most two decimals");
    }
    return static_cast<int>(gamma.raw / 100);
}

// A resolution as typed into its field: digits only.
std::string resolutionText(const std::string& option, const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        throw UsageError(option + ": '" + text + "' is not a whole number of pixels");
    }
    return text;
}

// The window's header and footer fields hold lines; a file's line ends become CR LF like theirs.
std::string fieldText(const std::string& path) {
    std::string text = readTextFile(path);
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') { ++i; }
            lines += "\r\n";
        } else {
            lines += text[i];
        }
    }
    return lines;
}

LoadedPicture load(const std::string& path, PictureRequest request) {
    auto loaded = LoadPicture(path, request.width, request.height);
    if (!loaded) { throw JobError(loaded.error()); }
    return std::move(loaded).value();
}

void runImage(const ImageOptions& o) {
    // Check every option before any work, so a typo never costs a long job.
    JobContext ctx;
    ctx.startPoint = rangedInteger("--start-point", o.startPoint, 1, 9);
    decimalOption("--pixel-size", o.pixelSize);
    const int threshold = rangedInteger("--threshold", o.threshold, 0, 255);
    ToneAdjustments adjustments{gammaPosition(o.gamma),
                                rangedInteger("--brightness", o.brightness, -kMaxBrightnessContrast, kMaxBrightnessContrast),
                                rangedInteger("--contrast", o.contrast, -kMaxBrightnessContrast, kMaxBrightnessContrast)};
    for (const auto& [option, text] : {std::pair{"--power-min", o.powerMin}, {"--power-max", o.powerMax},
                                       {"--thickness", o.thickness}, {"--focus-z", o.focusZ}}) {
        decimalOption(option, text);
    }
    if (auto feed = parseFeed(o.feed, "--feed"); !feed) { throw UsageError(feed.error()); }
    if (auto feed = parseFeed(o.rapidFeed, "--rapid-feed"); !feed) { throw UsageError(feed.error()); }
    if (o.keepAspect && !o.height.empty()) { throw UsageError("--height cannot be given with --keep-aspect"); }
    const std::string width = o.width.empty() ? "" : resolutionText("--width", o.width);
    const std::string height = o.height.empty() ? "" : resolutionText("--height", o.height);

    // Like the window at start-up: the mask preview sets the number format and the mask.
    MaskPreviewFields preview{o.mask, o.decimals, o.dirStep, o.pwmMax};
    decimalOption("--dir-step", o.dirStep);
    decimalOption("--pwm-max", o.pwmMax);
    integerOption("--decimals", o.decimals);
    if (auto built = BuildMaskPreview(ctx, preview, kCliSeparator); !built) { throw UsageError(built.error()); }

    RasterJobFields fields;
    fields.pixelSizeText = o.pixelSize;
    fields.focusZText = o.focusZ;
    fields.thicknessText = o.thickness;
    fields.workFeedText = o.feed;
    fields.rapidFeedText = o.rapidFeed;
    fields.horizontal = o.horizontal || !o.vertical;
    fields.vertical = o.vertical;
    fields.frame = o.frame;
    fields.pwmMaxText = o.pwmMax;
    fields.powerMinText = o.powerMin;
    fields.powerMaxText = o.powerMax;
    fields.dirAxisStepText = o.dirStep;
    fields.maskText = o.mask;
    if (!o.headerFile.empty()) { fields.headerText = fieldText(o.headerFile); }
    if (!o.footerFile.empty()) { fields.footerText = fieldText(o.footerFile); }

    // Open the picture, then type the resolution and release the key, as on the page.
    ResolutionFields sizing;
    sizing.pixelSizeText = o.pixelSize;
    sizing.keepAspect = o.keepAspect;
    ctx.raster.pictureFileName = o.input;
    LoadedPicture picture = load(o.input, PictureRequest{});
    RecordLoadedPicture(sizing, ctx.raster, PictureRequest{}, picture.pixels.width, picture.pixels.height, kCliSeparator);
    if (!width.empty()) { SetResolutionField(sizing, ResolutionField::Width, width, ctx.raster, kCliSeparator); }
    if (!height.empty()) { SetResolutionField(sizing, ResolutionField::Height, height, ctx.raster, kCliSeparator); }
    if (auto request = CommitResolution(sizing, ctx.raster)) {
        picture = load(o.input, *request);
        RecordLoadedPicture(sizing, ctx.raster, *request, picture.pixels.width, picture.pixels.height, kCliSeparator);
    }

    ToneMode mode = o.mode == "threshold" ? ToneMode::Threshold : o.mode == "dither" ? ToneMode::Dithering : ToneMode::Greyscale;
    PixelBuffer view = ProcessTones(picture.pixels, mode, threshold);
    picture.pixels = PixelBuffer{};
    ApplyAdjustments(view, adjustments);
    if (!o.previewPng.empty()) {
        if (Status written = WritePicturePng(o.previewPng, view); !written) { throw JobError(written.error()); }
    }

    if (Status origin = SetRasterOrigin(ctx, fields.pixelSizeText, view, kCliSeparator); !origin) {
        throw UsageError(origin.error());
    }
    if (Status filled = FillRasterParameters(ctx, fields, view, kCliSeparator); !filled) { throw UsageError(filled.error()); }
    auto outcome = GenerateRaster(ctx, view, {}, kCliSeparator);
    if (!outcome) { throw JobError(outcome.error()); }
    deliverProgram(ctx.programLines, o.output);
}

}  // namespace

void addImageCommand(CLI::App& app, Runner& run) {
    auto o = std::make_shared<ImageOptions>();
    CLI::App* c = app.add_subcommand("image", "Engrave a BMP or JPEG picture line by line (the BMP/JPG page)");
    c->add_option("INPUT", o->input, "BMP or JPEG picture, at most 2000 x 2000 pixels")->required();
    c->add_option("-o,--output", o->output, "Write the program to this file instead of standard output");
    c->add_option("--pixel-size", o->pixelSize, "Pixel size [mm/pixel]")->capture_default_str();
    c->add_option("--width", o->width, "Working width in pixels (the picture is resampled; at most 3000)");
    c->add_option("--height", o->height, "Working height in pixels (not with --keep-aspect)");
    c->add_flag("--keep-aspect", o->keepAspect, "Derive the height from the width and the picture's proportions");
    c->add_option("--mode", o->mode, "Tones: threshold (black/white), grey, or dither")
        ->check(CLI::IsMember({"threshold", "grey", "dither"}))
        ->capture_default_str();
    c->add_option("--threshold", o->threshold, "Black/white threshold 0..255 (threshold mode)")->capture_default_str();
    c->add_option("--gamma", o->gamma, "Gamma 0.01..8.00")->capture_default_str();
    c->add_option("--brightness", o->brightness, "Brightness -255..255")->capture_default_str();
    c->add_option("--contrast", o->contrast, "Contrast -255..255")->capture_default_str();
    c->add_option("--power-min", o->powerMin, "Power of the lightest burnt grey, percent of --pwm-max")->capture_default_str();
    c->add_option("--power-max", o->powerMax, "Power of black, percent of --pwm-max")->capture_default_str();
    c->add_flag("--horizontal", o->horizontal, "Horizontal raster pass (the default when no pass is named)");
    c->add_flag("--vertical", o->vertical, "Vertical raster pass (after the horizontal one when both are named)");
    c->add_flag("--frame", o->frame, "Burn a frame round the picture first");
    c->add_option("--feed", o->feed, "Work speed [mm/min]")->capture_default_str();
    c->add_option("--rapid-feed", o->rapidFeed, "Idle speed [mm/min]")->capture_default_str();
    c->add_option("--thickness", o->thickness, "Material thickness [mm]")->capture_default_str();
    c->add_option("--focus-z", o->focusZ, "Focus distance (Z) [mm]")->capture_default_str();
    c->add_option("--dir-step", o->dirStep, "DIR-axis travel per mm of XY travel")->capture_default_str();
    c->add_option("--start-point", o->startPoint, "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    c->add_option("--mask", o->mask, "G-code mask")->capture_default_str();
    c->add_option("--decimals", o->decimals, "Decimal places of G-code numbers (0 keeps 4)")->capture_default_str();
    c->add_option("--pwm-max", o->pwmMax, "Maximum PWM value")->capture_default_str();
    c->add_option("--header-file", o->headerFile, "Program header from this text file (default: the GRBL laser header)");
    c->add_option("--footer-file", o->footerFile, "Program footer from this text file");
    c->add_option("--preview-png", o->previewPng, "Also write the processed picture (what will be engraved) as PNG");
    c->callback([&run, o] { run = [o] { runImage(*o); }; });
}

}  // namespace bw::cli
