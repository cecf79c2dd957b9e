#pragma once
// Status texts of the DXF jobs built from the message table's pairs.

#include <string>
#include <string_view>

#include "common/Fixed4.h"

namespace bw {

// "<text>: <percent>%" after entity `index` (from 0) of `count`.
std::string DxfPercentText(std::string_view text, std::size_t index, std::size_t count);
// "Size 120,5x80,0mm": the drawing's extent with one decimal in the system's notation.
std::string DxfSizeText(Fixed4 width, Fixed4 height, char decimalSeparator);

}  // namespace bw
