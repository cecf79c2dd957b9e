// The raster chain on arbitrary small pictures and field texts: tone
// processing, adjustments and the raster program must give a program or a
// clear error, never undefined behaviour.

#include <cstddef>
#include <cstdint>
#include <string>

#include "job/JobSteps.h"
#include "raster/RasterGenerator.h"
#include "raster/ToneAdjustments.h"
#include "raster/ToneProcessing.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    int byte() {
        if (size == 0) { return 0; }
        --size;
        return *data++;
    }
    std::string text() {
        std::size_t length = static_cast<std::size_t>(byte() % 12);
        std::string out;
        while (length-- > 0 && size > 0) { out.push_back(static_cast<char>(byte())); }
        return out;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in{data, size};
    const int width = in.byte() % 24;
    const int height = in.byte() % 24;
    const auto mode = static_cast<bw::ToneMode>(in.byte() % 3);
    const int threshold = in.byte();
    bw::ToneAdjustments adjustments{1 + (in.byte() * 4 + in.byte()) % 800, in.byte() * 2 - 255, in.byte() * 2 - 255};
    bw::JobContext ctx;
    ctx.startPoint = in.byte() % 11;
    bw::RasterJobFields fields;
    fields.pixelSizeText = in.text();
    fields.workFeedText = in.text();
    fields.dirAxisStepText = in.text();
    fields.powerMinText = in.text();
    fields.maskText = in.text() + "[X] [y] (S)[p] [P00] [a]";
    const int flags = in.byte();
    fields.horizontal = flags & 1;
    fields.vertical = flags & 2;
    fields.frame = flags & 4;
    bw::PixelBuffer picture(width, height);
    for (std::uint32_t& pixel : picture.pixels) {
        pixel = 0xFF000000u | std::uint32_t(in.byte()) << 16 | std::uint32_t(in.byte()) << 8 | std::uint32_t(in.byte());
    }
    bw::PixelBuffer view = bw::ProcessTones(picture, mode, threshold);
    bw::ApplyAdjustments(view, adjustments);
    if (!bw::SetRasterOrigin(ctx, fields.pixelSizeText, view, ',')) { return 0; }
    if (!bw::FillRasterParameters(ctx.params, fields, view, ',')) { return 0; }
    auto outcome = bw::GenerateRaster(ctx, view, {}, ',');
    (void)outcome;
    return 0;
}
