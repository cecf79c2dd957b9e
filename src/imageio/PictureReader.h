#pragma once
// Decodes BMP and JPEG files into the engine's pixel buffers with Qt's image
// readers (JPEG through libjpeg-turbo). No hand-written decoders: our own code
// only checks that a file holds everything its header announces.

#include <optional>
#include <string>

#include "common/Result.h"
#include "raster/PixelBuffer.h"

namespace bw {

// Reads a whole picture at its stored size in any format Qt reads, without the
// checks below (for reading back pictures this program wrote).
Result<PixelBuffer> ReadPicture(const std::string& path);

struct PictureDimensions {
    int width = 0;
    int height = 0;
};

// A BMP/JPG page picture read from its file.
struct LoadedPicture {
    PixelBuffer pixels;   // at the requested size (or the stored one), opaque 0xFFRRGGBB
    int storedWidth = 0;  // size of the picture in the file
    int storedHeight = 0;
};

// Reads a BMP or JPEG picture for the BMP/JPG page. The stored size is checked
// from the header before any pixel is decoded: wider or taller than 2000 pixels
// is refused with "The image size is limited to 2000x2000 pixels.". With width
// and height above 0 the picture is resampled smoothly to that size, always from
// the file. Damaged, truncated or unknown files give an error naming the file:
// a BMP whose rows or RLE stream end early, a JPEG that made libjpeg warn.
// `path` holds the file name's bytes as the system stores them.
Result<LoadedPicture> LoadPicture(const std::string& path, int width, int height);

// The size a BMP or JPEG file's header announces, read without decoding a pixel;
// nothing when the header gives none. LoadPicture still checks the whole file.
std::optional<PictureDimensions> ReadStoredPictureSize(const std::string& path);

// Reads a PCB bitmap (BMP, or JPEG) with the same checks but no size limit: a
// picture that cannot be held is refused as too large for the available memory.
Result<PixelBuffer> LoadPcbPicture(const std::string& path);

// Encodes a processed picture as PNG (what will be engraved), opaque.
Result<std::string> EncodePicturePng(const PixelBuffer& picture);

// Writes a processed picture as PNG, replacing the file only when it was
// written completely.
Status WritePicturePng(const std::string& path, const PixelBuffer& picture);

}  // namespace bw
