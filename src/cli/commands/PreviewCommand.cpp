// beamwright-cli preview: the G-CODE Settings page's mask preview.

#include <iostream>

#include "CliSupport.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "settings/FormDefaults.h"

namespace bw::cli {

void addPreviewCommand(CLI::App& app, Runner& run) {
    struct Options {
        MaskPreviewFields fields;
        std::string startPoint = FormDefaultText(kStartPointId, '.');
        std::string extentWidth = "0";
        std::string extentHeight = "0";
        std::string output;
    };
    auto options = std::make_shared<Options>();
    options->fields.dirAxisStepText = "0.05";
    CLI::App* command =
        app.add_subcommand("preview", "Print the mask preview program (what the G-CODE Settings page shows)");
    command->add_option("--mask", options->fields.maskText, "G-code mask, e.g. \"[G] [X] [Y] (S)[P]\"")
        ->capture_default_str();
    command->add_option("--decimals", options->fields.decimalsText, "Decimal places of G-code numbers (0 keeps 4)")
        ->capture_default_str();
    command->add_option("--dir-step", options->fields.dirAxisStepText, "DIR-axis travel per mm of XY travel")
        ->capture_default_str();
    command->add_option("--pwm-max", options->fields.pwmMaxText, "Maximum PWM value")->capture_default_str();
    command
        ->add_option("--start-point", options->startPoint,
                     "Start point 1..9 (row by row from the top left; 7 = bottom left)")
        ->capture_default_str();
    command->add_option("--extent-width", options->extentWidth, "Job width in mm that the start point offsets refer to")
        ->capture_default_str();
    command
        ->add_option("--extent-height", options->extentHeight, "Job height in mm that the start point offsets refer to")
        ->capture_default_str();
    command->add_option("-o,--output", options->output, "Write the program to this file instead of standard output");
    command->callback([&run, options] {
        run = [options] {
            JobContext ctx;
            ctx.startPoint = rangedWhole("--start-point", options->startPoint, FieldRanges::StartPoint);
            rangedOption("--dir-step", options->fields.dirAxisStepText, FieldRanges::DirAxisStep);
            rangedOption("--pwm-max", options->fields.pwmMaxText, FieldRanges::PwmMax);
            rangedOption("--decimals", options->fields.decimalsText, FieldRanges::Decimals);
            ctx.applyStartPoint(decimalOption("--extent-width", options->extentWidth),
                                decimalOption("--extent-height", options->extentHeight));
            auto lines = BuildMaskPreview(ctx.writer(), options->fields, kCliSeparator);
            if (!lines) { throw UsageError(lines.error()); }
            deliverProgram(*lines, options->output);
        };
    });
}

}  // namespace bw::cli
