#pragma once
// What the DXF page gives a DXF job (the "DXFO" exchange), checked by the front
// end that read it (the window names a field by its caption, the command line
// by its option), and its one copy into the parameter block. The mask and the
// power range are not among them: a DXF job prints through what the mask
// preview or the last raster job left.

#include <cstdint>
#include <string>

#include "common/Fixed4.h"
#include "job/JobParameters.h"

namespace bw {

struct DxfJobValues {
    std::int32_t viewWidthPx = 0;  // the drawing view, for the preview scale only
    std::int32_t viewHeightPx = 0;
    Fixed4 segmentLength;          // EProstki
    Fixed4 dirAxisStep;            // EEkstruzja (Tools page)
    Fixed4 focusZ;                 // EOgniskowa (Tools page)
    Fixed4 layerDepth;             // EWarstwa
    Fixed4 materialThickness;      // EGrubosc
    Fixed4 pwmMax;                 // EMWPWM, a whole number
    std::string workFeedText;      // ESzRD, as typed
    std::string rapidFeedText;     // ESzJD, as typed
    bool finishingPass = false;    // CBDotnij
    bool readAllEntities = false;  // CBPolilinie
    std::string headerText;        // REHeaderU, trailing line breaks removed
    std::string footerText;        // REFooterU, trailing line breaks removed
};

void FillDxfParameters(JobParameters& params, const DxfJobValues& values);

}  // namespace bw
