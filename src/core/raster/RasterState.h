#pragma once
// What the BMP/JPG page remembers between events and jobs: the picture file,
// its stored proportions, the size it was last read at, and whether the
// resolution fields ask for another size or the program view was suppressed.

#include <string>

#include "common/Fixed4.h"

namespace bw {

struct RasterState {
    std::string pictureFileName;  // full path of the picture last opened; empty before the first
    Fixed4 pictureAspect;         // stored width / stored height, four decimals; set by a read at the own size
    int loadedWidth = 0;          // pixels of the working picture after the last read
    int loadedHeight = 0;
    bool resizePending = false;      // the resolution fields name another size, not yet read
    bool previewSuppressed = false;  // the last raster program was too long to show
};

}  // namespace bw
