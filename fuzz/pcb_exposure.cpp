// Fuzzes the PCB generators: the input is a tiny bitmap (first byte: width, second:
// beam radius in pixels, then one bit per pixel). Both jobs must finish without
// a crash or hang; every burning move of the raster must end where the beam
// touches no light pixel, and the outline must keep every corner off them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "job/JobContext.h"
#include "job/JobSteps.h"
#include "pcb/BeamDisk.h"
#include "pcb/PcbBitmapLoader.h"
#include "pcb/PcbOutline.h"
#include "pcb/PcbRaster.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) { return 0; }
    const int width = 1 + data[0] % 64;
    const int radius = 1 + data[1] % 6;
    const std::size_t bits = (size - 2) * 8;
    const int height = static_cast<int>(std::min<std::size_t>(bits / static_cast<std::size_t>(width), 64));
    if (height == 0) { return 0; }
    bw::PixelBuffer picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::size_t bit =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
            bool dark = (data[2 + bit / 8] >> (bit % 8)) & 1;
            picture.row(y)[x] = dark ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    bw::JobContext ctx;
    ctx.params.maskText = "[G] [X] [Y] [Z] [F] (S)[P]";
    ctx.params.pwmMax = bw::Fixed4::fromInt(255);
    ctx.params.powerMaxPwm = bw::Fixed4::fromInt(255);
    ctx.params.pcbDpi = 508;
    ctx.params.beamDiameter = bw::Fixed4::fromRaw(radius * 1000);  // 0,1 mm per pixel of radius: exactly r
    ctx.params.workFeedText = "1500";
    ctx.params.rapidFeedText = "5000";
    if (!bw::LoadPcbBitmap(ctx.pcb, picture)) { std::abort(); }
    if (!bw::GeneratePcbRaster(ctx)) { std::abort(); }
    const bw::BeamDisk disk(radius);
    for (std::size_t i = 0; i < ctx.programLines.size(); ++i) {
        std::string_view entry = ctx.programLines.entry(i);
        std::size_t at = entry.rfind("G1 X");
        if (at == std::string_view::npos) { continue; }
        std::string_view move = entry.substr(at + 4);  // "X Y", the last line of the entry
        std::size_t space = move.find(" Y");
        auto x = bw::parseDecimal(move.substr(0, space), '.');
        auto y = bw::parseDecimal(move.substr(space + 2), '.');
        if (!x || !y ||
            disk.contains(ctx.pcb.pcbClassMap, static_cast<int>(x->raw / 500), height - static_cast<int>(y->raw / 500),
                          bw::PixelClass::Light)) {
            std::abort();
        }
    }
    auto outline = bw::GeneratePcbOutline(ctx, ',');
    if (!outline || outline->beamRadiusPx != radius) { std::abort(); }
    for (const bw::Contour& contour : outline->traced) {
        for (bw::MachinePoint p : contour) {
            int x = static_cast<int>(p.x.raw / 500);
            int y = height - static_cast<int>(p.y.raw / 500);
            if (disk.contains(ctx.pcb.pcbClassMap, x, y, bw::PixelClass::Light)) { std::abort(); }
        }
    }
    return 0;
}
