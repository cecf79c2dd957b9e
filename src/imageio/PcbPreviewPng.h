#pragma once
// Writes a preview picture of the PCB page (a class rendering) as a PNG file.

#include <string>

#include "common/Result.h"
#include "raster/PixelBuffer.h"

namespace bw {

// The PNG file's bytes.
Result<std::string> EncodePreviewPng(const PixelBuffer& picture);

// The file is complete or not written at all.
Status WritePreviewPng(const std::string& path, const PixelBuffer& picture);

}  // namespace bw
