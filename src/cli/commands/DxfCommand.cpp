// beamwright-cli dxf: the DXF page's cutting program, as the window would write it.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>

#include "CliSupport.h"
#include "ProfileOptions.h"
#include "dxf/DxfGenerator.h"
#include "dxf/DxfJobValues.h"
#include "dxf/DxfReader.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "job/JobSteps.h"
#include "settings/FormDefaults.h"

namespace bw::cli {

namespace {

// The window's form defaults, with a point as decimal separator.
// The page's own values come from the form defaults or a DXF profile unless given.
struct DxfOptions {
    std::string input;
    std::string output;
    FieldOption thickness;       // EGrubosc
    FieldOption layer;           // EWarstwa
    bool finishingPass = false;  // CBDotnij
    CLI::Option* finishingPassOption = nullptr;
    bool allEntities = false;  // CBPolilinie
    CLI::Option* allEntitiesOption = nullptr;
    FieldOption segmentLength;  // EProstki
    FieldOption feed;           // ESzRD
    FieldOption rapidFeed;      // ESzJD
    std::string focusZ = FormDefaultText("EOgniskowa", '.');
    std::string dirStep = FormDefaultText("EEkstruzja", '.');
    std::string startPoint = FormDefaultText(kStartPointId, '.');
    std::string decimals = FormDefaultText("EIloscZerU", '.');
    GCodeOptions gcode;
    PageProfileOption page{ProfileKind::Dxf};
    bool progress = false;
};

// The values the run uses, after defaults, profiles and options.
struct DxfValues {
    std::string thickness, layer, segmentLength, feed, rapidFeed;
    bool finishingPass = false;
    bool allEntities = false;
};

DxfValues resolve(const DxfOptions& options) {
    FieldValues page = options.page.fields();
    DxfValues values;
    values.thickness = options.thickness.orField(page, "EGrubosc");
    values.layer = options.layer.orField(page, "EWarstwa");
    values.segmentLength = options.segmentLength.orField(page, "EProstki");
    values.feed = options.feed.orField(page, "ESzRD");
    values.rapidFeed = options.rapidFeed.orField(page, "ESzJD");
    values.finishingPass = options.finishingPassOption->count() > 0 || page.flag("CBDotnij");
    values.allEntities = options.allEntitiesOption->count() > 0 || page.flag("CBPolilinie");
    return values;
}

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
    GCodeSettings settings = options.gcode.resolve();
    DxfValues values = resolve(options);
    MaskPreviewFields gcode;
    gcode.maskText = settings.maskText;
    gcode.decimalsText = options.decimals;
    gcode.dirAxisStepText = options.dirStep;
    gcode.pwmMaxText = settings.pwmMaxText;
    rangedOption("--decimals", options.decimals, FieldRanges::Decimals);
    Fixed4 dirStep = rangedOption("--dir-step", options.dirStep, FieldRanges::DirAxisStep);
    // The job reads the maximum PWM value as a whole number.
    int pwmMax = integerOption("--pwm-max", settings.pwmMaxText);
    Fixed4 thickness = rangedOption("--thickness", values.thickness, FieldRanges::Thickness);
    Fixed4 layer = decimalOption("--layer", values.layer);
    if (layer.raw < 0) { throw UsageError("--layer: '" + values.layer + "' must not be negative"); }
    Fixed4 segmentLength = rangedOption("--segment-length", values.segmentLength, FieldRanges::SegmentLength);
    Fixed4 focusZ = decimalOption("--focus-z", options.focusZ);
    integerOption("--feed", values.feed);
    integerOption("--rapid-feed", values.rapidFeed);
    int startPoint = rangedWhole("--start-point", options.startPoint, FieldRanges::StartPoint);
    std::string header = HeaderFooterFromText(settings.headerText);
    std::string footer = HeaderFooterFromText(settings.footerText);

    JobContext ctx;
    // At start-up the window builds the mask preview, which leaves the power range 0..pwmMax for the DXF job.
    auto preview = BuildMaskPreview(ctx.writer(), gcode, kCliSeparator);
    if (!preview) { throw UsageError(preview.error()); }

    // What the "DXFO" exchange fills, for the load and again for the run.
    FillDxfParameters(ctx.params, {.viewWidthPx = kViewWidth,
                                   .viewHeightPx = kViewHeight,
                                   .segmentLength = segmentLength,
                                   .dirAxisStep = dirStep,
                                   .focusZ = focusZ,
                                   .layerDepth = layer,
                                   .materialThickness = thickness,
                                   .pwmMax = Fixed4::fromInt(pwmMax),
                                   .workFeedText = values.feed,
                                   .rapidFeedText = values.rapidFeed,
                                   .finishingPass = values.finishingPass,
                                   .readAllEntities = values.allEntities,
                                   .headerText = header,
                                   .footerText = footer});

    std::vector<std::string> inputs = options.gcode.inputFiles();
    inputs.push_back(options.input);
    inputs.push_back(options.page.inputFile());
    OutputFile output = openOutput("--output", options.output, inputs);

    ProgressPrinter printer;
    DxfStatusCallback status;
    if (options.progress) {
        status = [&printer](std::string_view text) { printer(text); };
    }

    ctx.dxf.dxfFileName = options.input;
    auto loaded = LoadDxfFile(ctx, kCliSeparator, status);
    if (!loaded) { throw JobError(loaded.error()); }
    if (!loaded->skipped.empty()) {
        std::string_view hint = values.allEntities ? std::string_view{} : std::string_view{"(use --all-entities)"};
        std::cerr << "beamwright-cli: warning: " << options.input << ": "
                  << DxfSkippedText(loaded->skipped, "Skipped:", hint) << '\n';
    }
    if (loaded->entities == 0) {
        throw JobError(options.input + ": " + std::string(DxfNothingToCutText(values.allEntities)));
    }
    if (loaded->skippedSplines > 0) {
        std::cerr << "beamwright-cli: warning: " << options.input << ": " << loaded->skippedSplines
                  << " damaged spline(s) left out\n";
    }

    ctx.startPoint = startPoint;
    ApplyDxfStartPoint(ctx);
    ProgramStream stream(ctx.programLines, output);
    Status generated = GenerateDxfProgram(ctx, status);
    if (!generated) { throw JobError(generated.error()); }
    stream.finish();
    commitOutput(output);
}

}  // namespace

void addDxfCommand(CLI::App& app, Runner& run) {
    auto options = std::make_shared<DxfOptions>();
    CLI::App* command = app.add_subcommand("dxf", "Cut a DXF drawing (lines, circles, arcs, splines) in passes");
    command->add_option("input", options->input, "DXF file to read")->required();
    command->add_option("-o,--output", options->output, "Write the program to this file instead of standard output");
    DxfOptions& o = *options;
    o.thickness.option =
        command->add_option("--thickness", o.thickness.value, "Material thickness in mm (default 1.5)");
    o.layer.option =
        command->add_option("--layer", o.layer.value, "Depth of one pass in mm, 0: a single pass (default 0.5)");
    o.finishingPassOption = command->add_flag("--finishing-pass", o.finishingPass, "One more pass at the focus plane");
    o.allEntitiesOption = command->add_flag("--all-entities", o.allEntities,
                                            "Read the drawing in full: polylines, ellipses, blocks, units, layers");
    o.segmentLength.option = command->add_option("--segment-length", o.segmentLength.value,
                                                 "Length of the straight pieces of splines in mm (default 0.5)");
    o.feed.option = command->add_option("--feed", o.feed.value, "Working feed in mm/min (default 1500)");
    o.rapidFeed.option =
        command->add_option("--rapid-feed", o.rapidFeed.value, "Rapid (idle) feed in mm/min (default 5000)");
    command->add_option("--focus-z", options->focusZ, "Z of the focus plane in mm")->capture_default_str();
    command->add_option("--dir-step", options->dirStep, "DIR-axis travel per mm of XY travel")->capture_default_str();
    command
        ->add_option("--start-point", options->startPoint,
                     "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    command->add_option("--decimals", options->decimals, "Decimal places of G-code numbers")->capture_default_str();
    o.gcode.add(*command);
    o.page.add(*command);
    command->add_flag("--progress", options->progress, "Show progress on standard error");
    command->callback([&run, options] { run = [options] { runDxf(*options); }; });
}

}  // namespace bw::cli
