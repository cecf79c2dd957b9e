// beamwright-cli calibrate: the Tools page's focus and greyscale test programs.

#include "CliSupport.h"
#include "ProfileOptions.h"
#include "calibration/FocusPatterns.h"
#include "calibration/GreyscalePattern.h"
#include "gcode/NumberFormat.h"
#include "job/JobContext.h"
#include "settings/FormDefaults.h"

namespace bw::cli {

void addCalibrateCommand(CLI::App& app, Runner& run) {
    struct Options {
        std::string pattern;
        std::string output;
        std::string baseZ = FormDefaultText("Edit8", '.');
        bool squares = false;
        std::string workFeed = FormDefaultText("Edit5", '.');
        std::string rapidFeed = FormDefaultText("Edit1", '.');
        std::string focusZ = FormDefaultText("EOgniskowa", '.');
        std::string thickness = FormDefaultText("EGruboscT", '.');
        std::string powerMin = FormDefaultText("EPmin", '.');
        std::string powerMax = FormDefaultText("EPmax", '.');
        std::string dirStep = FormDefaultText("EEkstruzja", '.');
        std::string decimals = FormDefaultText("EIloscZerU", '.');
        GCodeOptions gcode;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "calibrate",
        "Write a calibration program: coarse (ten marks at Z 10..100 mm crossed by one sloping line), fine (200 "
        "squares or dots, 0.1 mm apart in Z around a base Z) or grey (ten bars running through the power range)");
    command->add_option("pattern", options->pattern, "coarse, fine or grey")
        ->required()
        ->check(CLI::IsMember({"coarse", "fine", "grey"}));
    command->add_option("-o,--output", options->output, "Write the program to this file instead of standard output");
    command
        ->add_option("--base-z", options->baseZ, "fine: Z in mm of field 100; fields run from base - 10 to base + 9.9")
        ->capture_default_str();
    command->add_flag("--squares", options->squares, "fine: 3 mm squares instead of 0.1 mm dots");
    command->add_option("--feed", options->workFeed, "Work speed in mm/min")->capture_default_str();
    command->add_option("--rapid-feed", options->rapidFeed, "Idle speed in mm/min")->capture_default_str();
    command->add_option("--focus-z", options->focusZ, "grey: focus distance (Z) in mm")->capture_default_str();
    command->add_option("--thickness", options->thickness, "grey: material thickness in mm, added to the focus Z")
        ->capture_default_str();
    command
        ->add_option("--power-min", options->powerMin, "Power min in % (kept with the Tools page; no pattern uses it)")
        ->capture_default_str();
    command
        ->add_option("--power-max", options->powerMax, "Power max in % (kept with the Tools page; no pattern uses it)")
        ->capture_default_str();
    command->add_option("--dir-step", options->dirStep, "DIR-axis travel per mm of XY travel")->capture_default_str();
    command->add_option("--decimals", options->decimals, "Decimal places of G-code numbers (0 keeps 4)")
        ->capture_default_str();
    options->gcode.add(*command);
    command->callback([&run, options] {
        run = [options] {
            const Options& o = *options;
            integerOption("--feed", o.workFeed);
            integerOption("--rapid-feed", o.rapidFeed);
            decimalOption("--base-z", o.baseZ);
            decimalOption("--focus-z", o.focusZ);
            rangedOption("--thickness", o.thickness, FieldRanges::Thickness);
            decimalOption("--power-min", o.powerMin);
            decimalOption("--power-max", o.powerMax);
            rangedOption("--dir-step", o.dirStep, FieldRanges::DirAxisStep);
            rangedOption("--decimals", o.decimals, FieldRanges::Decimals);
            GCodeSettings gcode = o.gcode.resolve();

            CalibrationFields fields;
            fields.rapidFeedText = o.rapidFeed;
            fields.workFeedText = o.workFeed;
            fields.baseZText = o.baseZ;
            fields.squares = o.squares;
            fields.focusZText = o.focusZ;
            fields.thicknessText = o.thickness;
            fields.maskText = gcode.maskText;
            fields.dirAxisStepText = o.dirStep;
            fields.pwmMaxText = gcode.pwmMaxText;
            fields.headerText = gcode.headerText;
            fields.footerText = gcode.footerText;

            JobContext ctx;
            rebuildNumberFormat(ctx.numberFormat, o.decimals, kCliSeparator);
            auto program = o.pattern == "coarse" ? BuildCoarseFocusPattern(ctx.writer(), fields, kCliSeparator)
                           : o.pattern == "fine" ? BuildFineFocusPattern(ctx.writer(), fields, kCliSeparator)
                                                 : BuildGreyscalePattern(ctx.writer(), fields, kCliSeparator);
            if (!program) { throw UsageError(program.error()); }
            deliverProgram(*program, o.output, o.gcode.inputFiles());
        };
    });
}

}  // namespace bw::cli
