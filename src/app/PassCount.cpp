#include "PassCount.h"

#include "common/Fixed4.h"
#include "job/NumericInput.h"

namespace bw::app {

namespace {

Fixed4 nonZeroOrZero(std::string_view text, char separator) {
    if (!IsNonZeroNumber(text, separator)) { return Fixed4{}; }
    return parseDecimal(text, separator).value_or(Fixed4{});
}

}  // namespace

long long passCount(std::string_view thicknessText, std::string_view layerText, bool finishingPass, char decimalSeparator) {
    const Fixed4 thickness = nonZeroOrZero(thicknessText, decimalSeparator);
    const Fixed4 layer = nonZeroOrZero(layerText, decimalSeparator);
    Int128 count = 1;
    if (layer.raw > 0) {
        count = divCeil(thickness.raw, layer.raw) + 1;
    } else if (layer.raw < 0) {
        count = divCeil(-thickness.raw, -layer.raw) + 1;
    }
    if (finishingPass) { ++count; }
    return static_cast<long long>(count);
}

}  // namespace bw::app
