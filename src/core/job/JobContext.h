#pragma once
// Everything a job shares with the window and with the next job: the parameter
// block, the start point and origin offsets, the emitter records, the number
// format, the program being built and the language. One object per application
// (or per command-line run, or per test), passed by reference; never global.

#include "dxf/DxfState.h"
#include "gcode/MoveEmitterState.h"
#include "gcode/NumberFormat.h"
#include "gcode/ProgramLines.h"
#include "gcode/ProgramWriter.h"
#include "i18n/TextPair.h"
#include "job/JobParameters.h"
#include "job/StartPoint.h"
#include "pcb/PcbState.h"
#include "raster/RasterState.h"

namespace bw {

struct JobContext {
    JobParameters params;
    int startPoint = kDefaultStartPoint;  // 1..9
    OriginOffset origin;                  // added to every X and Y the emitter is given
    NumberFormat numberFormat;
    MoveEmitterState emitter;
    ProgramLines programLines;
    int languageIndex = kStartLanguageIndex;  // 0 Polish, 1 English
    RasterState raster;                       // the BMP/JPG page: picture file, sizes, suppressed view
    DxfState dxf;                             // the loaded drawing, its box and view
    PcbState pcb;                             // the loaded PCB layer and its class layers

    // The emitter of this context, printing into its program.
    ProgramWriter writer() { return {emitter, params, numberFormat, origin, programLines}; }

    // Sets the origin offsets for a job of the given extent from the start point.
    void applyStartPoint(Fixed4 width, Fixed4 height) { origin = originOffsetFor(startPoint, width, height, origin); }
};

}  // namespace bw
