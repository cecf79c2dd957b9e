#include "pcb/PcbFields.h"

#include <limits>

namespace bw {

namespace {

Error notNumber(const char* field, const std::string& text) {
    return Error{std::string(field) + ": \"" + text + "\" is not a number"};
}

Result<std::int32_t> wholeNumber(const char* field, const std::string& text) {
    auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return Error{std::string(field) + ": \"" + text + "\" is not a whole number"};
    }
    return static_cast<std::int32_t>(*value);
}

}  // namespace

Status TakePcbSnapshot(JobParameters& params, const PcbFields& fields, char decimalSeparator) {
    JobParameters next = params;
    auto decimal = [&](const char* field, const std::string& text, Fixed4& target) -> Status {
        auto value = parseDecimal(text, decimalSeparator);
        if (!value) { return notNumber(field, text); }
        target = *value;
        return success();
    };
    auto work = parseFeed(fields.workFeedText, "Work speed");
    if (!work) { return Error{work.error()}; }
    auto rapid = parseFeed(fields.rapidFeedText, "Idle speed");
    if (!rapid) { return Error{rapid.error()}; }
    next.workFeedText = fields.workFeedText;
    next.rapidFeedText = fields.rapidFeedText;
    auto dpi = wholeNumber("DPI", fields.dpiText);
    if (!dpi) { return Error{dpi.error()}; }
    next.pcbDpi = *dpi;
    for (Status s : {decimal("Beam spot diameter", fields.beamDiameterText, next.beamDiameter),
                     decimal("Focus Z", fields.focusZText, next.focusZ),
                     decimal("Z rising", fields.liftHeightText, next.liftHeight),
                     decimal("Engraving depth", fields.plungeDepthText, next.plungeDepth),
                     decimal("Material thickness", fields.thicknessText, next.materialThickness)}) {
        if (!s) { return s; }
    }
    next.engravingCutter = fields.engravingCutter;
    auto pwmMax = wholeNumber("Maximum PWM value", fields.pwmMaxText);
    if (!pwmMax) { return Error{pwmMax.error()}; }
    next.pwmMax = Fixed4::fromInt(*pwmMax);
    params = std::move(next);
    return success();
}

}  // namespace bw
