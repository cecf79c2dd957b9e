#pragma once
// The EAGLE helpers of the PCB page: the export script that turns board layers
// into the monochrome 508 DPI bitmaps this page reads, and the command lines
// that run it for the top and the bottom copper.

#include <filesystem>
#include <string_view>

#include "common/Result.h"

namespace bw {

// Layers 1 (or 16) copper, 17 pads, 18 vias, 20 the board outline.
inline constexpr std::string_view kEagleTopCommand = "run exp2image monochrome 508 .bmp 1 17 18 20";
inline constexpr std::string_view kEagleBottomCommand = "run exp2image monochrome 508 .bmp 16 17 18 20";

inline constexpr std::string_view kUlpFileName = "exp2image.ulp";

// The script's bytes, exactly as resources/exp2image.ulp holds them.
std::string_view Exp2ImageUlp();

// Writes the script as "exp2image.ulp" into an existing folder, replacing a file
// of that name; the file is complete or not there at all.
Status WriteUlpFile(const std::filesystem::path& folder);

}  // namespace bw
