#include "gcode/NumberFormat.h"

#include <algorithm>

#include "common/Fixed4.h"
#include "job/NumericInput.h"

namespace bw {

void rebuildNumberFormat(NumberFormat& format, std::string_view decimalsText, char decimalSeparator) {
    if (!IsNonZeroNumber(decimalsText, decimalSeparator)) { return; }
    auto value = parseDecimal(decimalsText, decimalSeparator);
    // The field takes digits only; a decimal or negative text is read by its whole part.
    std::int64_t whole = value->raw / Fixed4::kScale;
    if (whole <= 0) { return; }
    format.decimals = static_cast<int>(std::min<std::int64_t>(whole, NumberFormat::kMaxDecimals));
}

}  // namespace bw
