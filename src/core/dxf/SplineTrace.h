#pragma once
// The points a drawing's splines are traced through for one segment length.
// Measuring the drawing's box works them out anyway; the job that cuts the
// drawing then takes them from here instead of evaluating every spline again.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/Fixed4.h"
#include "dxf/TItem.h"

namespace bw {

class SplineTrace {
public:
    // Starts over for `entities` entities traced with `segmentLength`.
    void reset(std::size_t entities, Fixed4 segmentLength) {
        segmentLength_ = segmentLength;
        spans_.assign(entities, Span{});
        points_.clear();
    }
    // Keeps the points of `entity` (n + 1 of them, in trace order) and returns
    // them, or nullptr when the trace has grown too large; then the job
    // evaluates that spline itself.
    template <typename PointAt>
    const TPoint* keep(std::size_t entity, std::int64_t n, PointAt pointAt) {
        if (entity >= spans_.size() || n < 1 || points_.size() + static_cast<std::size_t>(n) + 1 > kMaxPoints) {
            return nullptr;
        }
        spans_[entity] = Span{static_cast<std::uint32_t>(points_.size()), static_cast<std::uint32_t>(n + 1)};
        for (std::int64_t j = 0; j <= n; ++j) { points_.push_back(pointAt(j)); }
        return points_.data() + spans_[entity].first;
    }
    // The n + 1 points of `entity` traced with `segmentLength`, or nullptr when
    // they were not kept for exactly that.
    const TPoint* points(std::size_t entity, Fixed4 segmentLength, std::int64_t n) const {
        if (segmentLength != segmentLength_ || entity >= spans_.size()) { return nullptr; }
        const Span& span = spans_[entity];
        if (span.count == 0 || static_cast<std::int64_t>(span.count) != n + 1) { return nullptr; }
        return points_.data() + span.first;
    }

private:
    static constexpr std::size_t kMaxPoints = std::size_t(1) << 22;  // 64 MB
    struct Span {
        std::uint32_t first = 0;
        std::uint32_t count = 0;  // 0: not kept
    };
    Fixed4 segmentLength_;
    std::vector<Span> spans_;  // per entity
    std::vector<TPoint> points_;
};

}  // namespace bw
