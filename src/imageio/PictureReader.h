#pragma once
// Decodes BMP and JPEG files into the engine's pixel buffers with Qt's image
// readers (JPEG through libjpeg-turbo). No hand-written decoders.

#include <string>

#include "common/Result.h"
#include "raster/PixelBuffer.h"

namespace bw {

// Reads the whole picture at its stored size (any format Qt reads).
Result<PixelBuffer> ReadPicture(const std::string& path);

// A BMP/JPG page picture read from its file.
struct LoadedPicture {
    PixelBuffer pixels;    // at the requested size (or the stored one), opaque 0xFFRRGGBB
    int storedWidth = 0;   // size of the picture in the file
    int storedHeight = 0;
};

// Reads a BMP or JPEG picture for the BMP/JPG page. The stored size is checked
// from the header before any pixel is decoded: wider or taller than 2000 pixels
// is refused with "The image size is limited to 2000x2000 pixels.". With width
// and height above 0 the picture is resampled smoothly to that size, always from
// the file. Damaged, truncated or unknown files give an error naming the file.
Result<LoadedPicture> LoadPicture(const std::string& path, int width, int height);

// Writes a processed picture as PNG (what will be engraved), replacing the file
// only when it was written completely.
Status WritePicturePng(const std::string& path, const PixelBuffer& picture);

}  // namespace bw
