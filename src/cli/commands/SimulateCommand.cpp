// beamwright-cli simulate: what a program burns, how far the machine travels and
// how long the job takes, as text, JSON and a picture of the toolpath.

#include <iostream>
#include <memory>

#include "CliSupport.h"
#include "PcbPreviewPng.h"
#include "ProfileOptions.h"
#include "settings/FormDefaults.h"
#include "simulation/ProgramFileReader.h"
#include "simulation/ProgramSimulator.h"
#include "simulation/SimulationReport.h"
#include "simulation/ToolpathRenderer.h"

namespace bw::cli {

namespace {

double positiveOption(const std::string& option, const std::string& text, bool zeroAllowed) {
    Fixed4 value = decimalOption(option, text);
    if (value.raw < 0 || (value.raw == 0 && !zeroAllowed)) {
        throw UsageError(option + ": '" + text + "' must be " + (zeroAllowed ? "zero or more" : "more than zero"));
    }
    return value.toDouble();
}

}  // namespace

void addSimulateCommand(CLI::App& app, Runner& run) {
    struct Options {
        std::string program;
        bool json = false;
        std::string png;
        std::string pngWidth = "1000";
        FieldOption gcodeProfile, maxRate, accel, junctionDeviation;
        bool burnG1 = false;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "simulate",
        "Run a G-code program on a model of a GRBL laser machine: burnt and travel lengths, time, a picture");
    command->add_option("PROGRAM", options->program, "G-code program file")->required();
    command->add_flag("--json", options->json, "Print one JSON object instead of the summary");
    command->add_option("--png", options->png,
                        "Draw the burnt path (darker for more power) and the travel moves into this PNG");
    command
        ->add_option("--png-width", options->pngWidth, "Picture width in pixels; one pixel is the burnt width / this")
        ->capture_default_str();
    options->gcodeProfile.option = command->add_option(
        "--gcode-profile", options->gcodeProfile.value,
        std::string("G-CODE Settings profile (.gcd) whose machine values to use; options given explicitly win. ") +
            kProfileLookupHelp);
    options->maxRate.option = command->add_option(
        "--max-rate", options->maxRate.value, "Maximum rate of an axis, mm/min (every G0 runs at it; default 6000)");
    options->accel.option =
        command->add_option("--accel", options->accel.value, "Acceleration of an axis, mm/s^2 (default 1000)");
    options->junctionDeviation.option = command->add_option("--junction-deviation", options->junctionDeviation.value,
                                                            "Junction deviation, mm (default 0.01)");
    command->add_flag("--burn-g1", options->burnG1,
                      "Every G1/G2/G3 burns (programs that switch no laser, e.g. PCB exposure)");
    command->callback([&run, options] {
        run = [options] {
            FieldValues machine = options->gcodeProfile.given()
                                      ? loadProfileFile(options->gcodeProfile.value, ProfileKind::GCode)
                                      : FormDefaultFields('.');
            SimulationOptions settings;
            settings.limits.maxRateMmPerMin =
                positiveOption("--max-rate", options->maxRate.orField(machine, "EPredkoscU"), false);
            settings.limits.accelerationMmPerS2 =
                positiveOption("--accel", options->accel.orField(machine, "EPrzyspieszenieU"), false);
            settings.limits.junctionDeviationMm = positiveOption(
                "--junction-deviation", options->junctionDeviation.orField(machine, "EOdchylenieU"), true);
            settings.burnAllFeedMoves = options->burnG1;
            int pngWidth = integerOption("--png-width", options->pngWidth);
            if (pngWidth < 1 || pngWidth > 20000) { throw UsageError("--png-width: must be 1 to 20000 pixels"); }

            ToolpathRecording path;
            SegmentCallback record;
            if (!options->png.empty()) {
                record = [&path](const ToolpathSegment& segment) { path.add(segment); };
            }
            ProgramSimulator simulator(settings, record);
            Status read = SimulateProgramFile(options->program, simulator);
            if (!read) { throw JobError(read.error()); }
            SimulationSummary summary = simulator.finish();
            // The picture first: a job that fails prints nothing.
            if (!options->png.empty()) {
                const PathBounds& bounds = summary.burnBounds.empty ? summary.pathBounds : summary.burnBounds;
                if (bounds.empty) { throw JobError("nothing to draw: the program moves nowhere"); }
                PixelBuffer picture = RenderToolpath(path, FrameForWidth(bounds, pngWidth), true);
                Status written = WritePreviewPng(options->png, picture);
                if (!written) { throw JobError(written.error()); }
            }
            std::cout << (options->json ? SimulationJson(summary) : SimulationSummaryText(summary));
            std::cout.flush();
        };
    });
}

}  // namespace bw::cli
