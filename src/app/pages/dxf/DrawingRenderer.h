#pragma once
// Draws the loaded DXF entities into an image as the drawing view shows them:
// black one-pixel pen, no fill, the drawing's Y axis turned upwards, at the
// view's scale and pan. Runs in the worker thread.

#include <QImage>

#include <functional>

#include "job/JobContext.h"

namespace bw::app {

// Called after each entity with its index and the entity count.
using RenderProgress = std::function<void(std::size_t index, std::size_t count)>;

// Fills `image` (width x height, white) with the drawing of ctx.dxf.
void DrawDrawing(const JobContext& ctx, QImage& image, int width, int height, const RenderProgress& progress);

}  // namespace bw::app
