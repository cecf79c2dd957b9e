#pragma once
// The simulated path kept for drawing: one small vertex per straight piece (the
// path is continuous, so a piece starts where the one before it ended). A
// nine-million-move program takes about 100 MB, less than its text.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "simulation/ToolpathSegment.h"

namespace bw {

class ToolpathRecording {
public:
    struct Vertex {
        float x = 0, y = 0;  // mm, end of the piece
        float power = 0;     // S of a burning piece; kTravel for a piece that does not burn
    };
    static constexpr float kTravel = -1.0f;
    // Pieces beyond this are not kept (the drawing then ends early; `complete` says so).
    static constexpr std::size_t kMaxVertices = 40'000'000;

    void add(const ToolpathSegment& segment);

    const std::vector<Vertex>& vertices() const { return vertices_; }
    // Where the path starts (the first piece's start).
    float startX() const { return startX_; }
    float startY() const { return startY_; }
    double maxPower() const { return maxPower_; }
    bool complete() const { return complete_; }

private:
    std::vector<Vertex> vertices_;
    float startX_ = 0, startY_ = 0;
    double maxPower_ = 0;
    bool complete_ = true;
};

}  // namespace bw
