#pragma once
// What pcb-raster and pcb-outline share: the PCB page's fields, the G-CODE
// Settings fields the start-up mask preview takes, and the preparation of a
// job context as the window has it when the generate button is clicked.

#include <memory>
#include <optional>
#include <string>

#include "CliSupport.h"
#include "ProfileOptions.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "pcb/PcbFields.h"
#include "settings/FormDefaults.h"

namespace bw::cli {

// The page's own values come from the form defaults or a PCB profile unless given.
struct PcbCommandOptions {
    std::string input;
    std::string output;
    std::string previewPng;
    std::string startPoint = FormDefaultText(kStartPointId, '.');
    std::string focusZ = FormDefaultText("EOgniskowa", '.');
    FieldOption workFeed, rapidFeed, dpi, beamDiameter, liftHeight, plungeDepth, thickness;
    bool engravingCutter = false;
    CLI::Option* engravingCutterOption = nullptr;
    MaskPreviewFields maskFields;
    GCodeOptions gcode;
    PageProfileOption page{ProfileKind::Pcb};
};

// Registers INPUT.bmp, -o and every PCB option on the sub-command.
void addPcbOptions(CLI::App& command, PcbCommandOptions& options);

// Runs the start-up mask preview with the G-CODE Settings options, reads and
// classifies the bitmap, takes the PCB fields and sets the origin offsets.
void preparePcbJob(JobContext& ctx, const PcbCommandOptions& options);

// -o (or standard output) and --preview-png, opened before the work.
struct PcbOutputs {
    OutputFile program;
    std::optional<OutputFile> preview;
};
PcbOutputs openPcbOutputs(const PcbCommandOptions& options);

// Once the program has streamed into outputs.program: writes the class
// rendering of `layer` with --preview-png, then puts both in place; a failure
// leaves neither behind.
void deliverPcbOutputs(PcbOutputs& outputs, const ClassLayer& layer, bool outline);

}  // namespace bw::cli
