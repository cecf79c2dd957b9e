#pragma once
// The number of DXF passes the current field values give, as `LPrzejsciaD` shows it.

#include <string_view>

namespace bw::app {

// Thickness and layer texts that are not non-zero numbers count as 0.
long long passCount(std::string_view thicknessText, std::string_view layerText, bool finishingPass, char decimalSeparator);

}  // namespace bw::app
