#pragma once
// The raster program: every pixel of the adjusted picture is one cell of
// pixelSize x pixelSize mm, engraved line by line in a serpentine scan, the
// power following the darkness of the pixel. One emitter move per pixel; the
// emitter merges runs of equal level into single lines.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "common/StatusCallback.h"
#include "gcode/DefaultHeaderFooter.h"
#include "gcode/ProgramWriter.h"
#include "job/JobParameters.h"
#include "raster/PixelBuffer.h"
#include "settings/FormDefaults.h"

namespace bw {

// The window fields a raster job reads, as texts in the window's notation.
struct RasterJobFields {
    std::string pixelSizeText = FormDefaultText("ESkala", ',');        // mm per pixel
    std::string focusZText = FormDefaultText("EOgniskowa", ',');       // Tools page: Z of the focus plane
    std::string thicknessText = FormDefaultText("EGruboscB", ',');     // material thickness
    std::string workFeedText = FormDefaultText("ESzRBMP", ',');        // feed of burning moves, mm/min
    std::string rapidFeedText = FormDefaultText("ESzJBMP", ',');       // feed of laser-off moves, mm/min
    bool horizontal = FormDefaultFlag("CBRPoz");                       // run the horizontal pass
    bool vertical = FormDefaultFlag("CBRPio");                         // run the vertical pass
    bool frame = FormDefaultFlag("CBRamkaB");                          // burn a frame round the picture first
    std::string pwmMaxText = FormDefaultText("EMWPWM", ',');           // PWM value of 100 %
    std::string powerMinText = FormDefaultText("EMocBMin", ',');       // power of level 0, percent
    std::string powerMaxText = FormDefaultText("EMocBMax", ',');       // power of level 255, percent
    std::string dirAxisStepText = FormDefaultText("EEkstruzja", ',');  // DIR-axis travel per mm
    std::string headerText{kDefaultHeaderText};                        // REHeaderU, whole text
    std::string footerText{kDefaultFooterText};                        // REFooterU, whole text
    std::string maskText{kDefaultMaskText};                            // EMaskaU
};

// A program with more entries than this is not shown in the view (it is still
// saved and copied whole).
inline constexpr std::size_t kRasterViewLimit = 100000;

struct PictureExtent {
    Fixed4 width, height;  // mm
};

// The extent the start point refers to: pixel size x pixels, per axis.
Result<PictureExtent> RasterExtent(std::string_view pixelSizeText, const PixelBuffer& view, char decimalSeparator);

// The "BMPO" exchange: the picture's size and the fields above into the
// parameter block, the power range as percent x pwmMax / 100. Nothing changes
// when a field is not a number.
Status FillRasterParameters(JobParameters& params, const RasterJobFields& fields, const PixelBuffer& view,
                            char decimalSeparator);

// "Print size 150x100mm" (or the Polish text), sizes in their shortest form.
std::string PrintSizeText(int widthPx, int heightPx, Fixed4 pixelSize, int languageIndex, char decimalSeparator);

// What the program view shows instead of a program that is too long.
std::string RasterTooLongText(int languageIndex);

struct RasterOutcome {
    bool previewSuppressed = false;  // more than kRasterViewLimit entries
};

// The raster job on the parameters filled above: header, the moves, footer into
// out.lines. `work` is the adjusted picture (red byte = grey). Fails,
// before anything is emitted, when a feed is not a whole number or the picture
// does not match the parameters.
// Progress of the passes: lines (and columns) done of all to do, once per line.
using RasterProgressCallback = std::function<void(std::int64_t done, std::int64_t total)>;

Result<RasterOutcome> GenerateRaster(const ProgramWriter& out, const JobParameters& params, int languageIndex,
                                     const PixelBuffer& work, const StatusCallback& status, char decimalSeparator,
                                     const RasterProgressCallback& progress = {});

}  // namespace bw
