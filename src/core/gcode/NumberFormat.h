#pragma once
// How many decimals G-code numbers carry ("0." followed by n zeros).

#include <string_view>

namespace bw {

struct NumberFormat {
    // Beyond this a typo in the field would make every number megabytes long.
    static constexpr int kMaxDecimals = 20;
    int decimals = 4;
};

// Rebuilds the format from the decimal-places field; an empty field, 0 or a
// text that is not a number keeps the previous format.
void rebuildNumberFormat(NumberFormat& format, std::string_view decimalsText, char decimalSeparator);

}  // namespace bw
