#pragma once
// The parameter block a job reads. The window fills it by job code before a job
// starts computing; a field a code does not fill keeps what the last filler left
// (a DXF job really does print through the power range the last raster job set).

#include <cstdint>
#include <string>

#include "common/Fixed4.h"
#include "gcode/ProgramWriter.h"

namespace bw {

// The mask, DIR-axis step and power range (EmitterSettings) come first: the
// emitter reads only those.
struct JobParameters : EmitterSettings {
    std::int32_t sourceWidthPx = 0;   // width of the job's source (view or picture) in pixels
    std::int32_t sourceHeightPx = 0;  // height of the job's source in pixels
    std::int32_t pcbDpi = 0;          // PCB bitmap resolution, dots per inch
    Fixed4 segmentLength;             // length of the straight pieces that approximate curves
    Fixed4 focusZ;                    // Z of the focus plane
    Fixed4 materialThickness;         // material thickness
    Fixed4 layerDepth;                // depth removed by one DXF pass
    Fixed4 pixelSize;                 // millimetres per picture pixel
    Fixed4 beamDiameter;              // PCB beam diameter
    Fixed4 liftHeight;                // PCB tool lift height
    Fixed4 plungeDepth;               // PCB plunge depth
    std::string workFeedText;         // working feed in mm/min, as typed; jobs convert it
    std::string rapidFeedText;        // rapid feed in mm/min, as typed
    std::string headerText;           // program header, trailing line breaks removed
    std::string footerText;           // program footer, trailing line breaks removed
    bool finishingPass = false;       // DXF: one more pass at the focus plane
    bool readAllEntities = false;     // DXF: the full reading (polylines, ellipses, blocks) instead of the line scanner
    bool rasterHorizontal = false;    // raster along X
    bool rasterVertical = false;      // raster along Y
    bool rasterFrame = false;         // frame round the picture
    bool engravingCutter = false;     // PCB job uses an engraving cutter
};

// Codes a job names when it asks the window for parameters or hands results back.
namespace JobCode {
inline constexpr const char* DxfParameters = "DXFO";
inline constexpr const char* DxfPreviewReady = "DXFZ";
inline constexpr const char* DxfProgramReady = "REDXF";
inline constexpr const char* DxfRedraw = "SKALA";
inline constexpr const char* BmpParameters = "BMPO";
inline constexpr const char* BmpPictureReady = "BMPZ";
inline constexpr const char* BmpProgramReady = "REBMP";
inline constexpr const char* PcbParameters = "PCBO";
inline constexpr const char* PcbPictureReady = "PCBZ";
inline constexpr const char* PcbRasterReady = "PCBRZ";
inline constexpr const char* PcbOutlineReady = "PCBOZ";
}  // namespace JobCode

// Header and footer are taken without their trailing line breaks (an empty one stays empty).
std::string withoutTrailingLineBreaks(std::string text);

}  // namespace bw

#include "common/Result.h"

namespace bw {

// Feeds stay text in the parameter block; a job converts each once before its
// first move. `fieldName` names the field in the error ("Work speed").
Result<std::int32_t> parseFeed(std::string_view text, std::string_view fieldName);

}  // namespace bw
