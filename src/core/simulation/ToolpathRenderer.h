#pragma once
// Draws a recorded toolpath into a picture: the burnt path in grey, darker for
// higher power (a piece burnt at the program's largest power is black), and the
// moves that do not burn in a light blue under it. The command line's PNG and
// the window's toolpath view both come from here.

#include "raster/PixelBuffer.h"
#include "simulation/ToolpathRecording.h"

namespace bw {

// Which part of the machine's XY plane the picture shows.
struct ToolpathFrame {
    double leftMm = 0;  // X at the picture's left edge
    double topMm = 0;   // Y at the picture's top edge (Y grows upwards)
    double mmPerPixel = 1;
    int width = 0;
    int height = 0;
};

inline constexpr std::uint32_t kToolpathBackground = 0xFFFFFFFFu;
inline constexpr std::uint32_t kToolpathTravelColour = 0xFFB4CDF5u;

// A frame `widthPx` pixels wide over `bounds`: one pixel is (bounds width /
// widthPx) mm, the height follows (at most `maxHeightPx`; a taller path gets a
// coarser scale). A path without width is scaled by its height instead.
ToolpathFrame FrameForWidth(const PathBounds& bounds, int widthPx, int maxHeightPx = 16384);

// The grey of a burnt piece: from light grey for the faintest power to black at
// `maxPower` (every burnt piece is black when the program sets no power).
std::uint32_t BurnColour(double power, double maxPower);

PixelBuffer RenderToolpath(const ToolpathRecording& path, const ToolpathFrame& frame, bool showTravel);

}  // namespace bw
