// beamwright-cli dxf: the DXF page's cutting program, as the window would write it.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "CliSupport.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfReader.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"

namespace bw::cli {

namespace {

// The window's form defaults, with a point as decimal separator.
struct DxfOptions {
    std::string input;
    std::string output;
    std::string thickness = "1.5";
    std::string layer = "0.5";
    bool finishingPass = false;
    std::string segmentLength = "0.5";
    std::string feed = "1500";
    std::string rapidFeed = "5000";
    std::string focusZ = "0";
    std::string dirStep = "0.05";
    std::string startPoint = "7";
    std::string mask = MaskPreviewFields{}.maskText;
    std::string decimals = "4";
    std::string pwmMax = "255";
    std::string headerFile;
    std::string footerFile;
    bool progress = false;
};

// The view size the window's drawing view has on a default layout; only the
// preview scale depends on it, never the program.
constexpr std::int32_t kViewWidth = 653;
constexpr std::int32_t kViewHeight = 645;

// Status texts on standard error: one line rewritten in place on a terminal,
// otherwise a line now and then.
class ProgressPrinter {
public:
    ProgressPrinter() : terminal_(isatty(STDERR_FILENO) != 0) {}
    ~ProgressPrinter() {
        if (shown_ && terminal_) { std::cerr << '\n'; }
    }
    void operator()(std::string_view text) {
        auto now = std::chrono::steady_clock::now();
        if (shown_ && now - last_ < std::chrono::milliseconds(100)) { return; }
        last_ = now;
        shown_ = true;
        if (terminal_) {
            std::cerr << '\r' << text << "\x1b[K" << std::flush;
        } else {
            std::cerr << text << '\n';
        }
    }

private:
    bool terminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_;
};

void runDxf(const DxfOptions& options) {
    // Option values first: every bad value is a usage error before any work.
    MaskPreviewFields gcode;
    gcode.maskText = options.mask;
    gcode.decimalsText = options.decimals;
    gcode.dirAxisStepText = options.dirStep;
    gcode.pwmMaxText = options.pwmMax;
    integerOption("--decimals", options.decimals);
    Fixed4 dirStep = decimalOption("--dir-step", options.dirStep);
    // The job reads the maximum PWM value as a whole number.
    int pwmMax = integerOption("--pwm-max", options.pwmMax);
    Fixed4 thickness = decimalOption("--thickness", options.thickness);
    Fixed4 layer = decimalOption("--layer", options.layer);
    if (layer.raw < 0) { throw UsageError("--layer: '" + options.layer + "' must not be negative"); }
    Fixed4 segmentLength = decimalOption("--segment-length", options.segmentLength);
    Fixed4 focusZ = decimalOption("--focus-z", options.focusZ);
    integerOption("--feed", options.feed);
    integerOption("--rapid-feed", options.rapidFeed);
    int startPoint = integerOption("--start-point", options.startPoint);
    if (!isValidStartPoint(startPoint)) {
        throw UsageError("--start-point: '" + options.startPoint + "' is not a start point 1..9");
    }
    std::string header(kDefaultHeaderText);
    std::string footer(kDefaultFooterText);
    // A G-code profile (mask, decimals, PWM maximum, header, footer) would be applied
    // here, before the explicit options and files override it.
    if (!options.headerFile.empty()) { header = HeaderFooterFromText(readTextFile(options.headerFile)); }
    if (!options.footerFile.empty()) { footer = HeaderFooterFromText(readTextFile(options.footerFile)); }

    JobContext ctx;
    // At start-up the window builds the mask preview, which leaves the power range 0..pwmMax for the DXF job.
    auto preview = BuildMaskPreview(ctx, gcode, kCliSeparator);
    if (!preview) { throw UsageError(preview.error()); }

    // What the "DXFO" exchange fills, for the load and again for the run.
    JobParameters& params = ctx.params;
    params.sourceWidthPx = kViewWidth;
    params.sourceHeightPx = kViewHeight;
    params.segmentLength = segmentLength;
    params.dirAxisStep = dirStep;
    params.focusZ = focusZ;
    params.layerDepth = layer;
    params.materialThickness = thickness;
    params.workFeedText = options.feed;
    params.rapidFeedText = options.rapidFeed;
    params.finishingPass = options.finishingPass;
    params.pwmMax = Fixed4::fromInt(pwmMax);
    params.headerText = header;
    params.footerText = footer;

    ProgressPrinter printer;
    DxfStatusCallback status;
    if (options.progress) { status = [&printer](std::string_view text) { printer(text); }; }

    ctx.dxf.dxfFileName = options.input;
    auto loaded = LoadDxfFile(ctx, kCliSeparator, status);
    if (!loaded) { throw JobError(loaded.error()); }
    if (loaded->entities == 0) { throw JobError(options.input + ": no CIRCLE, LINE, ARC or SPLINE entity found"); }
    if (loaded->skippedSplines > 0) {
        std::cerr << "beamwright-cli: warning: " << options.input << ": " << loaded->skippedSplines
                  << " damaged spline(s) left out\n";
    }

    ctx.startPoint = startPoint;
    ApplyDxfStartPoint(ctx);
    Status generated = GenerateDxfProgram(ctx, status);
    if (!generated) { throw JobError(generated.error()); }
    deliverProgram(ctx.programLines, options.output);
}

}  // namespace

void addDxfCommand(CLI::App& app, Runner& run) {
    auto options = std::make_shared<DxfOptions>();
    CLI::App* command = app.add_subcommand("dxf", "Cut a DXF drawing (lines, circles, arcs, splines) in passes");
    command->add_option("input", options->input, "DXF file to read")->required();
    command->add_option("-o,--output", options->output, "Write the program to this file instead of standard output");
    command->add_option("--thickness", options->thickness, "Material thickness in mm")->capture_default_str();
    command->add_option("--layer", options->layer, "Depth of one pass in mm (0: a single pass)")->capture_default_str();
    command->add_flag("--finishing-pass", options->finishingPass, "One more pass at the focus plane");
    command->add_option("--segment-length", options->segmentLength, "Length of the straight pieces of splines in mm")
        ->capture_default_str();
    command->add_option("--feed", options->feed, "Working feed in mm/min")->capture_default_str();
    command->add_option("--rapid-feed", options->rapidFeed, "Rapid (idle) feed in mm/min")->capture_default_str();
    command->add_option("--focus-z", options->focusZ, "Z of the focus plane in mm")->capture_default_str();
    command->add_option("--dir-step", options->dirStep, "DIR-axis travel per mm of XY travel")->capture_default_str();
    command->add_option("--start-point", options->startPoint,
                        "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    command->add_option("--mask", options->mask, "G-code mask")->capture_default_str();
    command->add_option("--decimals", options->decimals, "Decimal places of G-code numbers")->capture_default_str();
    command->add_option("--pwm-max", options->pwmMax, "Maximum PWM value (a whole number)")->capture_default_str();
    command->add_option("--header-file", options->headerFile, "Program header from this text file");
    command->add_option("--footer-file", options->footerFile, "Program footer from this text file");
    command->add_flag("--progress", options->progress, "Show progress on standard error");
    command->callback([&run, options] { run = [options] { runDxf(*options); }; });
}

}  // namespace bw::cli
