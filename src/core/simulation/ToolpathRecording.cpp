#include "ToolpathRecording.h"

namespace bw {

void ToolpathRecording::add(const ToolpathSegment& segment) {
    if (vertices_.size() >= kMaxVertices) {
        complete_ = false;
        return;
    }
    if (vertices_.empty()) {
        startX_ = static_cast<float>(segment.from.x);
        startY_ = static_cast<float>(segment.from.y);
    }
    if (segment.burning && segment.power > maxPower_) { maxPower_ = segment.power; }
    vertices_.push_back({static_cast<float>(segment.to.x), static_cast<float>(segment.to.y),
                         segment.burning ? static_cast<float>(segment.power) : kTravel});
}

}  // namespace bw
