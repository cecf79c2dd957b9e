#include "dxf/DxfJobValues.h"

namespace bw {

void FillDxfParameters(JobParameters& params, const DxfJobValues& values) {
    params.sourceWidthPx = values.viewWidthPx;
    params.sourceHeightPx = values.viewHeightPx;
    params.segmentLength = values.segmentLength;
    params.dirAxisStep = values.dirAxisStep;
    params.focusZ = values.focusZ;
    params.layerDepth = values.layerDepth;
    params.materialThickness = values.materialThickness;
    params.workFeedText = values.workFeedText;
    params.rapidFeedText = values.rapidFeedText;
    params.finishingPass = values.finishingPass;
    params.readAllEntities = values.readAllEntities;
    params.pwmMax = values.pwmMax;
    params.headerText = values.headerText;
    params.footerText = values.footerText;
}

}  // namespace bw
