#pragma once
// The PCB raster exposure: the beam disk scans the dark areas line by line and
// is switched on only where it touches no light pixel and still covers a dark
// pixel that no earlier position exposed. Lines lie 2r - 1 rows apart, so the
// bands swept by the disk (2r + 1 rows) overlap by two rows. The program uses
// its own fixed G-code dialect, not the mask and emitter of the other pages.

#include <string>
#include <vector>

#include "common/Result.h"
#include "gcode/ProgramWriter.h"
#include "job/JobParameters.h"
#include "pcb/PcbState.h"
#include "pcb/PcbStatus.h"

namespace bw {

// Writes the moves of the raster: the feed line when the move kind changes, the
// cutter's lift and plunge, then "G0 X.. Y.." or "G1 X.. Y..".
class PcbMoveWriter {
public:
    struct Settings {
        std::string workFeedText;   // printed after "G1 F" as typed
        std::string rapidFeedText;  // printed after "G0 F" as typed
        bool engravingCutter = false;
        Fixed4 cutterUpZ;     // Zu
        Fixed4 cutterDownZ;   // Zd
        OriginOffset origin;  // added to X and Y
        int decimals = 4;     // of every number
    };
    explicit PcbMoveWriter(Settings settings) : settings_(std::move(settings)) {}

    // One program entry, possibly several lines joined by CR LF.
    std::string FormatPcbMove(bool rapid, Fixed4 x, Fixed4 y);

private:
    Settings settings_;
    bool feedIsRapid_ = false;  // the last feed line printed was the rapid one
    bool toolDown_ = false;
};

struct PixelPosition {
    int x = 0;
    int y = 0;
    friend bool operator==(PixelPosition, PixelPosition) = default;
};

struct PcbRasterResult {
    int beamRadiusPx = 0;  // r
    std::vector<PixelPosition>
        exposed;  // centres of the exposed disks in exposure order (the window draws dots of diameter 2r)
};

// The raster job on `pcb` with the PCB fields of `params` (after the "PCBO"
// snapshot), the number format of `out` and its origin offsets already set by
// the launch. Refreshes rasterClassMap (exposed pixels become class 4) and
// replaces out.lines. Fails, changing nothing, when no PCB is loaded or r is
// outside 1..255.
Result<PcbRasterResult> GeneratePcbRaster(const ProgramWriter& out, const JobParameters& params, PcbState& pcb,
                                          const StatusCallback& status = {});

}  // namespace bw
