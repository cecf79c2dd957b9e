#pragma once
// The order of one pass: which entity is traced next and in which direction, so
// that touching entities are cut one after the other as contours. The next
// entity is the first remaining one (in list order) with an end within 0.01 mm
// of the tracing position; failing that, the first with a free end (an end no
// other remaining entity shares exactly); failing that, the first remaining one.
//
// Every pick is answered from indexes instead of a scan over all entities:
// exact end points are bucketed with their remaining entities, the buckets are
// gridded by 0.01 mm for the proximity pick, and entities with a free end wait
// in a queue by list position. A pass costs O(n log n) for ordinary drawings.

#include <cstddef>
#include <cstdint>
#include <queue>
#include <unordered_map>
#include <vector>

#include "dxf/DrawingBox.h"
#include "dxf/TItem.h"

namespace bw {

struct ChainPick {
    std::size_t index = 0;  // entity in the pass copy
    bool reversed = false;  // reversal chosen (applied to the copy; circles and splines stay as they are)
};

class ChainPass {
public:
    // `passItems` is the pass's own copy of the entities, with every `used` flag
    // false; picks mark entities used and reverse them in it.
    ChainPass(std::vector<TItem>& passItems, const DrawingBox& box);

    bool finished() const { return picked_ == items_.size(); }
    // The next entity for the tracing position (box-relative). Not after finished().
    ChainPick next(TPoint tracingPosition);

private:
    struct PointBucket {
        std::int64_t x = 0, y = 0;          // exact stored end point
        std::vector<std::uint32_t> entities; // in list order, each entity once
        std::size_t head = 0;                // entries before it are used
        std::uint32_t remaining = 0;         // entities not yet used
    };
    struct PointKey {
        std::int64_t x, y;
        friend bool operator==(const PointKey&, const PointKey&) = default;
    };
    struct PointHash {
        std::size_t operator()(const PointKey& k) const;
    };

    std::uint32_t bucketFor(std::int64_t x, std::int64_t y);
    std::int64_t firstRemainingIn(PointBucket& bucket);
    std::int64_t proximityPick(std::int64_t px, std::int64_t py);
    void markUsed(std::uint32_t entity);
    bool endNear(std::uint32_t entity, std::int64_t px, std::int64_t py) const;

    std::vector<TItem>& items_;
    DrawingBox box_;
    std::size_t picked_ = 0;
    std::size_t firstUnused_ = 0;
    std::vector<std::uint32_t> startBucket_, endBucket_;
    std::vector<PointBucket> buckets_;
    std::unordered_map<PointKey, std::uint32_t, PointHash> bucketIndex_;
    std::unordered_map<PointKey, std::vector<std::uint32_t>, PointHash> cells_;  // 0.01 mm cell -> buckets
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> freeEnds_;
};

}  // namespace bw
