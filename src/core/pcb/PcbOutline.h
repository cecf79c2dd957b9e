#pragma once
// The finishing outline: the beam disk's centre walks along the edges of the
// dark areas, just inside them (its disk touches no light pixel but would one
// step further), keeping the light area on its right. Each walk gives a closed
// staircase, simplified and sent through the move emitter, so this program
// follows the user's G-code mask.

#include <string>
#include <vector>

#include "common/Result.h"
#include "gcode/ProgramWriter.h"
#include "job/JobParameters.h"
#include "pcb/PcbState.h"
#include "pcb/PcbStatus.h"
#include "pcb/SimplifyPolyline.h"

namespace bw {

struct PcbOutlineResult {
    int beamRadiusPx = 0;             // r
    std::vector<Contour> traced;      // start, every corner, and the start again
    std::vector<Contour> simplified;  // the same contours after SimplifyPolyline, in the same order
    int unfinishedWalks = 0;          // walks cut short because they circled without coming back
};

// The outline's fixed Z and feeds: the page's own fields play no part.
inline constexpr Fixed4 kOutlineZ = Fixed4::fromRaw(183000);  // 18.3 mm
inline constexpr int kOutlineWorkFeed = 1500;
inline constexpr int kOutlineRapidFeed = 10000;

// "before -> after (-reduction%)", the reduction with one decimal in the given notation.
std::string OutlineStatisticsLine(std::size_t before, std::size_t after, char decimalSeparator);

// The outline job on `pcb` with the PCB fields of `params` and the origin
// offsets of `out` already set. Refreshes outlineClassMap (walked pixels become
// class 2), replaces out.lines with the statistics lines and the moves, and
// leaves pwmMax 255 and the feed texts "1500" and "10000" in `params` (whose
// emitter settings `out` prints through). Fails,
// changing nothing, when no PCB is loaded, r is outside 1..255 or the board is
// too large. Status texts report progress and every walk that had to be cut short.
// Where copper touches the bitmap's edge, the walk follows the edge.
Result<PcbOutlineResult> GeneratePcbOutline(const ProgramWriter& out, JobParameters& params, PcbState& pcb,
                                            char decimalSeparator, const StatusCallback& status = {});

}  // namespace bw
