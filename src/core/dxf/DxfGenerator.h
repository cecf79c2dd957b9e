#pragma once
// The DXF cutting program: passes from the material's top face down to the focus
// plane, every entity traced once per pass in the order ChainPass picks, lines
// as straight moves, circles and arcs as arc moves, splines as chains of
// straight pieces, with a rapid move only where the next entity does not begin
// within 0.01 mm of where the last one ended.

#include <cstdint>
#include <string_view>

#include "common/Result.h"
#include "dxf/DxfState.h"
#include "dxf/DxfStatus.h"
#include "gcode/ProgramWriter.h"
#include "job/JobParameters.h"

namespace bw {

// Beyond this a typo in the thickness or layer field would run for hours.
inline constexpr std::int64_t kMaxDxfPasses = 100000;
// Beyond this the program would not fit in memory (about 30 bytes a line).
inline constexpr std::int64_t kMaxDxfMoves = 50000000;

// Runs the program for drawing.dxfItems and drawing.drawingBox into out.lines,
// with the parameters the window filled (focus Z, thickness, layer depth,
// finishing pass, segment length, feeds, header, footer), through the mask, the
// DIR-axis step and power range of out.settings and the origin offsets already
// set from the start point. Reports "Object number: k" per entity. Fails before
// anything is emitted (out.lines untouched) when a feed is not a whole number,
// the layer depth is negative, the passes exceed kMaxDxfPasses, the moves
// kMaxDxfMoves, or a spline cannot be cut into pieces.
Status GenerateDxfProgram(const ProgramWriter& out, const JobParameters& params, const DxfState& drawing,
                          int languageIndex, const DxfStatusCallback& status);

// The passes GenerateDxfProgram makes with these parameters, at most kMaxDxfPasses + 1
// (a run beyond kMaxDxfPasses is refused): with the entity count, the number of
// "Object number" reports a run gives.
std::int64_t DxfPassCount(const JobParameters& params);

// The pass count the window shows for the thickness and layer fields' texts:
// ceil(T / L) + 1 when L is not 0, else 1, plus 1 for the finishing pass. A text
// that is not a non-zero number counts as 0.
std::int64_t UpdatePassCount(std::string_view thicknessText, std::string_view layerText, bool finishingPass,
                             char decimalSeparator);

}  // namespace bw
