#include "dxf/DxfTexts.h"

namespace bw {

std::string DxfPercentText(std::string_view text, std::size_t index, std::size_t count) {
    std::string out(text);
    out += ": ";
    appendInteger(out, static_cast<std::int64_t>(divRoundEven(Int128(index + 1) * 100, Int128(count))));
    out += '%';
    return out;
}

std::string DxfSizeText(Fixed4 width, Fixed4 height, char decimalSeparator) {
    return "Size " + formatFixed(width, 1, decimalSeparator) + "x" + formatFixed(height, 1, decimalSeparator) + "mm";
}

}  // namespace bw
