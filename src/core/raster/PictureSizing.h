#pragma once
// Sizing of the working picture: the limits, the stored aspect ratio, and the
// resolution fields' change rules as pure functions of the fields' texts (the
// window applies the returned texts with its change signals blocked).

#include <optional>
#include <string>

#include "common/Fixed4.h"
#include "raster/RasterState.h"

namespace bw {

// A picture file wider or taller than this is refused before its pixels are decoded.
inline constexpr int kMaxPictureSide = 2000;
inline constexpr const char* kPictureTooLargeMessage = "The image size is limited to 2000x2000 pixels.";
// The resolution fields allow enlarging up to this many pixels.
inline constexpr int kMaxResolution = 3000;

// Width / height rounded to four decimals, halves to even (640 x 480 gives 1.3333). Height > 0.
Fixed4 PictureAspect(int width, int height);

enum class ResolutionField { Width, Height };

// The texts of the page's sizing fields, as the window shows them.
struct ResolutionFields {
    std::string widthText = "0";        // ERXB: working width in pixels
    std::string heightText = "0";       // ERYB: working height in pixels
    std::string pixelSizeText = "0,3";  // ESkala: mm per pixel, window notation
    bool keepAspect = false;            // CBProporcjeB: the height follows the width
    std::string widthLabel = "0 mm";    // LRX: engraving width
    std::string heightLabel = "0 mm";   // LRY: engraving height
};

// The change handler of a resolution field, including the changes it causes in
// the fields (each of which runs the handler again, as the window's change
// events do). Sets `state.resizePending`.
void ResolutionChanged(ResolutionFields& fields, ResolutionField sender, RasterState& state, char decimalSeparator);

// Puts `text` into a resolution field; when it differs, the change handler runs.
void SetResolutionField(ResolutionFields& fields, ResolutionField field, std::string text, RasterState& state,
                        char decimalSeparator);

// A change of the pixel size: the field is filtered, then the width's handler runs.
void PixelSizeChanged(ResolutionFields& fields, RasterState& state, char decimalSeparator);

// A click on the keep-aspect box (already showing its new state).
void KeepAspectClicked(ResolutionFields& fields, RasterState& state, char decimalSeparator);

struct PictureRequest {
    int width = 0;  // 0 with height 0: the picture's own size
    int height = 0;
};

// Key release in a resolution field: when a new size is pending it is taken
// (and no longer pending); the picture must then be read again at that size.
std::optional<PictureRequest> CommitResolution(const ResolutionFields& fields, RasterState& state);

// After a successful read: the own size (request 0 x 0) sets the aspect and the
// fields; a requested size only sets what was loaded.
void RecordLoadedPicture(ResolutionFields& fields, RasterState& state, PictureRequest request, int loadedWidth,
                         int loadedHeight, char decimalSeparator);

}  // namespace bw
