#pragma once
// The PCB page's fields as typed, and their copy into the parameter block (the
// window's "PCBO" snapshot). Only the fields of the PCB page and the focus Z of
// the Tools page are taken; mask, header, footer and power range stay as they were.

#include <string>

#include "common/Result.h"
#include "job/JobParameters.h"

namespace bw {

struct PcbFields {
    std::string workFeedText = "1500";     // ESzRPCB, mm/min
    std::string rapidFeedText = "5000";    // ESzJPCB, mm/min
    std::string dpiText = "508";           // Edit2, whole number
    std::string beamDiameterText = "0,2";  // Edit3, mm
    std::string focusZText = "0";          // EOgniskowa (Tools page), mm
    std::string liftHeightText = "2";      // EUnoszenieP, mm
    std::string plungeDepthText = "0,2";   // EZaglP, mm
    std::string thicknessText = "1,5";     // EGruboscP, mm
    bool engravingCutter = false;          // CBGrawerski
    std::string pwmMaxText = "255";        // EMWPWM, read as a whole number here
};

// Fills the PCB fields of `params`. A field that does not convert leaves
// `params` untouched and names the field in the error.
Status TakePcbSnapshot(JobParameters& params, const PcbFields& fields, char decimalSeparator);

}  // namespace bw
