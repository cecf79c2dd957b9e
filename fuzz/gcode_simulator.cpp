// The program simulator on arbitrary bytes: it must never crash or hang, and
// what it reports must stay finite and consistent.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "simulation/ProgramSimulator.h"
#include "simulation/SimulationReport.h"
#include "simulation/ToolpathRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) { return 0; }  // a line can hold an arc of 65535 chords: keep each run short
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bw::SimulationOptions options;
    options.burnAllFeedMoves = size % 2 == 1;
    bw::ToolpathRecording path;
    bw::ProgramSimulator simulator(options, [&](const bw::ToolpathSegment& segment) { path.add(segment); });
    simulator.addText(text);
    bw::SimulationSummary summary = simulator.finish();
    if (!std::isfinite(summary.seconds) || summary.seconds < 0 || !std::isfinite(summary.burnLengthMm) ||
        !std::isfinite(summary.travelLengthMm) || summary.warnings.size() > bw::kMaxWarnings) {
        std::abort();
    }
    (void)bw::SimulationJson(summary);
    if (!summary.pathBounds.empty) {
        bw::PixelBuffer picture = bw::RenderToolpath(path, bw::FrameForWidth(summary.pathBounds, 64, 256), true);
        if (picture.width != 64 || picture.height < 1 || picture.height > 256) { std::abort(); }
    }
    return 0;
}
