#pragma once
// Status texts of the DXF jobs in Polish (languageIndex 0) and English (1).

#include <string>
#include <string_view>

#include "common/Fixed4.h"

namespace bw {

std::string_view DxfOpeningText(int languageIndex);
std::string_view DxfExtremesText(int languageIndex);
std::string_view DxfPreviewText(int languageIndex);
std::string_view DxfObjectText(int languageIndex);

// "<text>: <percent>%" after entity `index` (from 0) of `count`.
std::string DxfPercentText(std::string_view text, std::size_t index, std::size_t count);
// "Size 120,5x80,0mm": the drawing's extent with one decimal in the system's notation.
std::string DxfSizeText(Fixed4 width, Fixed4 height, char decimalSeparator);

}  // namespace bw
