#pragma once
// Decodes BMP and JPEG files into the engine's pixel buffers with Qt's image
// readers (JPEG through libjpeg-turbo). No hand-written decoders.

#include <string>

#include "common/Result.h"
#include "raster/PixelBuffer.h"

namespace bw {

// Reads the whole picture at its stored size.
Result<PixelBuffer> ReadPicture(const std::string& path);

}  // namespace bw
