#pragma once
// The order of one pass: which entity is traced next and in which direction, so
// that touching entities are cut one after the other as contours. The next
// entity is the first remaining one (in list order) with an end within 0.01 mm
// of the tracing position; failing that, the first with a free end (an end no
// other remaining entity shares exactly); failing that, the first remaining one.
//
// Every pick is answered from indexes instead of a scan over all entities:
// exact end points are grouped with their entities, the groups are gridded by
// 0.02 mm for the proximity pick, and entities with a free end wait in a queue
// by list position. The index depends only on the stored end points, which no
// pass changes, so a run builds it once; a pass costs O(n log n).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <queue>
#include <vector>

#include "dxf/DrawingBox.h"
#include "dxf/TItem.h"

namespace bw {

struct ChainPick {
    std::uint32_t index = 0;  // entity in the pass copy
    bool reversed = false;    // reversal chosen (applied to the copy; circles and splines stay as they are)
};

// The end points of a drawing's entities, grouped and gridded.
class ChainIndex {
public:
    explicit ChainIndex(const std::vector<TItem>& items);

private:
    friend class ChainPass;
    struct Point {
        std::int64_t x = 0, y = 0;  // exact stored end point
        std::uint32_t first = 0;    // its entities: entities_[first .. first + count), in list order
        std::uint32_t count = 0;
        std::uint32_t cellFirst = 0;  // the points of its cell: cellPoints_[cellFirst .. cellFirst + cellCount)
        std::uint32_t cellCount = 0;
    };
    struct Cell {
        std::int64_t cx = 0, cy = 0;  // cell of 0.02 mm x 0.02 mm
        std::uint32_t first = 0;      // its points: cellPoints_[first .. first + count)
        std::uint32_t count = 0;      // 0 marks an empty slot
    };
    const Cell* findCell(std::int64_t cx, std::int64_t cy) const;

    std::vector<std::uint32_t> startPoint_, endPoint_;  // per entity
    std::vector<Point> points_;
    std::vector<std::uint32_t> entities_;
    std::vector<std::uint32_t> cellPoints_;
    std::vector<Cell> cells_;  // open addressing, size a power of two
    // One bit per hash of the occupied cells: most cells round a point are
    // empty, and this small table answers that without touching the large one.
    std::vector<std::uint64_t> occupied_;
    int occupiedBits_ = 0;
    std::vector<std::uint32_t> freeAtStart_;  // entities with a free end before any pick
};

// Puts back in `passItems` what a pass changed (the used flags and the
// direction of the lines and arcs it reversed), so that the next pass starts
// from `items` without copying every entity and its spline arrays again.
// `passItems` must be a copy of `items` that only passes have changed.
void RestorePassItems(std::vector<TItem>& passItems, const std::vector<TItem>& items);

// Makes in `passItems` the change ChainPass::next made when it answered `pick`,
// for a pass that repeats the picks of an earlier one.
void RepeatPick(std::vector<TItem>& passItems, ChainPick pick);

class ChainPass {
public:
    // `passItems` is the pass's own copy of the entities, with every `used` flag
    // false; picks mark entities used and reverse them in it. `index` must have
    // been built from entities with the same end points.
    ChainPass(std::vector<TItem>& passItems, const DrawingBox& box, const ChainIndex& index);
    // Builds its own index.
    ChainPass(std::vector<TItem>& passItems, const DrawingBox& box);

    bool finished() const { return picked_ == items_.size(); }
    // The next entity for the tracing position (box-relative). Not after finished().
    ChainPick next(TPoint tracingPosition);

private:
    void start();
    std::int64_t firstRemainingAt(std::uint32_t point);
    std::int64_t proximityPick(std::int64_t px, std::int64_t py);
    void markUsed(std::uint32_t entity);
    bool endNear(std::uint32_t entity, std::int64_t px, std::int64_t py) const;

    std::unique_ptr<ChainIndex> ownIndex_;
    const ChainIndex& index_;
    std::vector<TItem>& items_;
    DrawingBox box_;
    std::size_t picked_ = 0;
    std::size_t firstUnused_ = 0;
    // Per entity: picked already. The same as the entities' `used` flags, but a
    // byte each, so the searches read it from a small table instead of from
    // scattered entity records.
    std::vector<std::uint8_t> used_;
    std::vector<std::uint32_t> head_;       // per point: entries of entities_ before it are used
    std::vector<std::uint32_t> remaining_;  // per point: entities not yet used
    std::priority_queue<std::uint32_t, std::vector<std::uint32_t>, std::greater<>> freeEnds_;
    // The end points of the last pick: the next search is mostly round one of
    // them, and their cells are read from them instead of from the cell table.
    std::uint32_t lastPoints_[2] = {kNoPoint, kNoPoint};
    static constexpr std::uint32_t kNoPoint = UINT32_MAX;
};

}  // namespace bw
