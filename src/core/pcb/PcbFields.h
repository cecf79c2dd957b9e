#pragma once
// The PCB page's fields as typed, and their copy into the parameter block (the
// window's "PCBO" snapshot). Only the fields of the PCB page and the focus Z of
// the Tools page are taken; mask, header, footer and power range stay as they were.

#include <string>

#include "common/Result.h"
#include "job/JobParameters.h"
#include "settings/FormDefaults.h"

namespace bw {

struct PcbFields {
    std::string workFeedText = FormDefaultText("ESzRPCB", ',');        // mm/min
    std::string rapidFeedText = FormDefaultText("ESzJPCB", ',');       // mm/min
    std::string dpiText = FormDefaultText("Edit2", ',');               // whole number
    std::string beamDiameterText = FormDefaultText("Edit3", ',');      // mm
    std::string focusZText = FormDefaultText("EOgniskowa", ',');       // Tools page, mm
    std::string liftHeightText = FormDefaultText("EUnoszenieP", ',');  // mm
    std::string plungeDepthText = FormDefaultText("EZaglP", ',');      // mm
    std::string thicknessText = FormDefaultText("EGruboscP", ',');     // mm
    bool engravingCutter = FormDefaultFlag("CBGrawerski");
    std::string pwmMaxText = FormDefaultText("EMWPWM", ',');  // read as a whole number here
};

// Fills the PCB fields of `params`. A field that does not convert leaves
// `params` untouched and names the field in the error.
Status TakePcbSnapshot(JobParameters& params, const PcbFields& fields, char decimalSeparator);

}  // namespace bw
