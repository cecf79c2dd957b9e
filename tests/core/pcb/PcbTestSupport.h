#pragma once
// Small PCB bitmaps for the tests: drawn as text ('#' dark, '.' light) or as
// rectangles on a background.

#include <string>
#include <vector>

#include "TestSupport.h"
#include "gcode/MaskPreview.h"
#include "job/JobContext.h"
#include "pcb/PcbBitmapLoader.h"
#include "raster/PixelBuffer.h"

namespace bw::test {

inline constexpr std::uint32_t kBlack = 0xFF000000u;
inline constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

inline PixelBuffer pictureFromArt(const std::vector<std::string>& rows) {
    PixelBuffer picture(rows.empty() ? 0 : static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) { picture.row(y)[x] = rows[y][x] == '#' ? kBlack : kWhite; }
    }
    return picture;
}

// Fills columns x0..x1 and rows y0..y1 (inclusive).
inline void fillRect(PixelBuffer& picture, int x0, int y0, int x1, int y1, std::uint32_t colour) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) { picture.row(y)[x] = colour; }
    }
}

// A context as the window leaves it after start-up (mask preview built) with
// the PCB page's defaults and the given picture loaded.
inline JobContext pcbContext(const PixelBuffer& picture, Fixed4 beam = Fixed4::fromRaw(2000), int dpi = 508) {
    JobContext ctx;
    (void)BuildMaskPreview(ctx.writer(), MaskPreviewFields{}, ',');
    ctx.params.pcbDpi = dpi;
    ctx.params.beamDiameter = beam;
    ctx.params.focusZ = Fixed4{};
    ctx.params.materialThickness = Fixed4::fromRaw(15000);
    ctx.params.liftHeight = Fixed4::fromInt(2);
    ctx.params.plungeDepth = Fixed4::fromRaw(2000);
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    ctx.params.pwmMax = Fixed4::fromInt(255);
    (void)LoadPcbBitmap(ctx.pcb, picture);
    return ctx;
}

}  // namespace bw::test
