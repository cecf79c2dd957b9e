#include "ToolpathRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace bw {

namespace {

// Cuts the segment to the rectangle [0, w] x [0, h] (Liang-Barsky), so a view
// zoomed far in never walks along pixels it cannot show.
bool clip(double& x0, double& y0, double& x1, double& y1, double w, double h) {
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, w - x0, y0, h - y0};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) { return false; }
            continue;
        }
        double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) { return false; }
            t0 = std::max(t0, t);
        } else {
            if (t < t0) { return false; }
            t1 = std::min(t1, t);
        }
    }
    double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

template <typename Plot>
void walk(double x0, double y0, double x1, double y1, int width, int height, Plot&& plot) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) { return; }
    if (!clip(x0, y0, x1, y1, width, height)) { return; }
    double span = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
    auto steps = static_cast<std::int64_t>(std::ceil(span));
    for (std::int64_t k = 0; k <= steps; ++k) {
        double t = steps == 0 ? 0 : static_cast<double>(k) / static_cast<double>(steps);
        int px = std::clamp(static_cast<int>(std::floor(x0 + (x1 - x0) * t)), 0, width - 1);
        int py = std::clamp(static_cast<int>(std::floor(y0 + (y1 - y0) * t)), 0, height - 1);
        plot(static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px));
    }
}

}  // namespace

ToolpathFrame FrameForWidth(const PathBounds& bounds, int widthPx, int maxHeightPx) {
    ToolpathFrame frame;
    frame.width = std::max(1, widthPx);
    double spanX = bounds.empty ? 0 : bounds.maxX - bounds.minX;
    double spanY = bounds.empty ? 0 : bounds.maxY - bounds.minY;
    double across = spanX > 0 ? spanX : spanY > 0 ? spanY : 1;
    frame.mmPerPixel = across / frame.width;
    double rows = std::ceil(spanY / frame.mmPerPixel - 1e-9);
    if (rows > maxHeightPx) {
        frame.mmPerPixel = spanY / maxHeightPx;
        rows = maxHeightPx;
    }
    frame.height = std::max(1, static_cast<int>(rows));
    // Centre the path in the frame when it is narrower than the picture.
    frame.leftMm = (bounds.empty ? 0 : bounds.minX) - (frame.width * frame.mmPerPixel - spanX) / 2;
    frame.topMm = (bounds.empty ? 0 : bounds.maxY) + (frame.height * frame.mmPerPixel - spanY) / 2;
    return frame;
}

std::uint32_t BurnColour(double power, double maxPower) {
    double share = maxPower > 0 ? std::clamp(power / maxPower, 0.0, 1.0) : 1.0;
    auto grey = static_cast<std::uint32_t>(std::lround(215.0 * (1.0 - share)));
    return 0xFF000000u | (grey << 16) | (grey << 8) | grey;
}

PixelBuffer RenderToolpath(const ToolpathRecording& path, const ToolpathFrame& frame, bool showTravel) {
    PixelBuffer picture(std::max(1, frame.width), std::max(1, frame.height), kToolpathBackground);
    if (frame.width <= 0 || frame.height <= 0 || !(frame.mmPerPixel > 0)) { return picture; }
    // Darkest burn per pixel (0: none) and travel marks, composed at the end so
    // the burnt path always lies over the travel moves.
    std::vector<std::uint8_t> burn(picture.pixels.size(), 0);
    std::vector<std::uint8_t> travel(showTravel ? picture.pixels.size() : 0, 0);
    const double scale = 1.0 / frame.mmPerPixel;
    const double maxPower = path.maxPower();
    double lastX = (path.startX() - frame.leftMm) * scale, lastY = (frame.topMm - path.startY()) * scale;
    for (const ToolpathRecording::Vertex& vertex : path.vertices()) {
        double x = (vertex.x - frame.leftMm) * scale, y = (frame.topMm - vertex.y) * scale;
        if (vertex.power >= 0) {
            std::uint32_t grey = BurnColour(vertex.power, maxPower) & 0xFFu;
            auto darkness = static_cast<std::uint8_t>(255 - grey);
            walk(lastX, lastY, x, y, frame.width, frame.height,
                 [&](std::size_t at) { burn[at] = std::max(burn[at], darkness); });
        } else if (showTravel) {
            walk(lastX, lastY, x, y, frame.width, frame.height, [&](std::size_t at) { travel[at] = 1; });
        }
        lastX = x;
        lastY = y;
    }
    for (std::size_t at = 0; at < picture.pixels.size(); ++at) {
        if (burn[at] != 0) {
            std::uint32_t grey = 255u - burn[at];
            picture.pixels[at] = 0xFF000000u | (grey << 16) | (grey << 8) | grey;
        } else if (showTravel && travel[at] != 0) {
            picture.pixels[at] = kToolpathTravelColour;
        }
    }
    return picture;
}

}  // namespace bw
