#include "dxf/ChainPass.h"

#include <algorithm>
#include <tuple>

namespace bw {

namespace {

constexpr std::int64_t kNear = 100;  // "within 0.01 mm": differences of at most 99 units
// Cells twice as wide as the search reach, shifted by half a cell: the square
// searched round a position covers at most two cells a side, and round a
// position on a multiple of 0.02 mm (most drawn ends) only its own cell. The
// exact test of each point keeps the pick what it would be with any grid.
constexpr std::int64_t kCell = 2 * kNear;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::int64_t gridCell(std::int64_t v) { return floorDiv(v + kNear, kCell); }

bool near(std::int64_t a, std::int64_t b) { return a - b < kNear && b - a < kNear; }

std::size_t cellHash(std::int64_t cx, std::int64_t cy) {
    std::uint64_t h = static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(cy) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return static_cast<std::size_t>(h * 0xBF58476D1CE4E5B9ull);
}

void reverseItem(TItem& item) {
    if (item.kind == DxfKind::Line) {
        std::swap(item.x1, item.x2);
        std::swap(item.y1, item.y2);
    } else if (item.kind == DxfKind::Arc) {
        std::swap(item.startAngle, item.endAngle);
        item.clockwise = false;
    }
}

}  // namespace

void RestorePassItems(std::vector<TItem>& passItems, const std::vector<TItem>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        TItem& changed = passItems[i];
        const TItem& original = items[i];
        changed.used = original.used;
        changed.x1 = original.x1;
        changed.y1 = original.y1;
        changed.x2 = original.x2;
        changed.y2 = original.y2;
        changed.startAngle = original.startAngle;
        changed.endAngle = original.endAngle;
        changed.clockwise = original.clockwise;
    }
}

void RepeatPick(std::vector<TItem>& passItems, ChainPick pick) {
    TItem& item = passItems[pick.index];
    if (pick.reversed) { reverseItem(item); }
    item.used = true;
}

ChainIndex::ChainIndex(const std::vector<TItem>& items) {
    const std::size_t n = items.size();
    // Every entity end, an entity once per distinct end, sorted by point and list position.
    struct End {
        std::int64_t x, y;
        std::uint32_t entity;
        bool isStart;
    };
    std::vector<End> ends;
    ends.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const TItem& item = items[i];
        ends.push_back({item.startX.raw, item.startY.raw, static_cast<std::uint32_t>(i), true});
        if (item.endX != item.startX || item.endY != item.startY) {
            ends.push_back({item.endX.raw, item.endY.raw, static_cast<std::uint32_t>(i), false});
        }
    }
    std::sort(ends.begin(), ends.end(),
              [](const End& a, const End& b) { return std::tie(a.x, a.y, a.entity) < std::tie(b.x, b.y, b.entity); });
    startPoint_.resize(n);
    endPoint_.resize(n);
    entities_.reserve(ends.size());
    for (const End& end : ends) {
        if (points_.empty() || points_.back().x != end.x || points_.back().y != end.y) {
            points_.push_back(Point{end.x, end.y, static_cast<std::uint32_t>(entities_.size()), 0});
        }
        std::uint32_t point = static_cast<std::uint32_t>(points_.size() - 1);
        entities_.push_back(end.entity);
        ++points_.back().count;
        const TItem& item = items[end.entity];
        if (end.isStart) { startPoint_[end.entity] = point; }
        if (!end.isStart || (item.endX == item.startX && item.endY == item.startY)) { endPoint_[end.entity] = point; }
    }
    // Grid: points grouped by cell, the cells in an open-addressing table.
    // Each point's cell is worked out once, not in every comparison of the sort.
    struct InCell {
        std::int64_t cx, cy;
        std::uint32_t point;
    };
    std::vector<InCell> byCell(points_.size());
    for (std::size_t p = 0; p < byCell.size(); ++p) {
        byCell[p] = InCell{gridCell(points_[p].x), gridCell(points_[p].y), static_cast<std::uint32_t>(p)};
    }
    std::sort(byCell.begin(), byCell.end(), [](const InCell& a, const InCell& b) {
        return std::tie(a.cx, a.cy, a.point) < std::tie(b.cx, b.cy, b.point);
    });
    std::size_t capacity = 16;
    while (capacity < points_.size() * 2) { capacity <<= 1; }
    cells_.assign(capacity, Cell{});
    occupiedBits_ = 9;  // 8 bits or more per point keep false alarms rare
    while ((std::size_t(1) << occupiedBits_) < points_.size() * 8) { ++occupiedBits_; }
    occupied_.assign((std::size_t(1) << occupiedBits_) / 64, 0);
    cellPoints_.resize(byCell.size());
    for (std::size_t k = 0; k < byCell.size(); ++k) { cellPoints_[k] = byCell[k].point; }
    for (std::size_t k = 0; k < byCell.size();) {
        const std::int64_t cx = byCell[k].cx;
        const std::int64_t cy = byCell[k].cy;
        std::size_t end = k;
        while (end < byCell.size() && byCell[end].cx == cx && byCell[end].cy == cy) { ++end; }
        std::size_t hash = cellHash(cx, cy);
        std::size_t bit = hash >> (64 - occupiedBits_);
        occupied_[bit / 64] |= std::uint64_t(1) << (bit % 64);
        std::size_t slot = hash & (capacity - 1);
        while (cells_[slot].count != 0) { slot = (slot + 1) & (capacity - 1); }
        cells_[slot] = Cell{cx, cy, static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(end - k)};
        for (std::size_t j = k; j < end; ++j) {
            points_[byCell[j].point].cellFirst = static_cast<std::uint32_t>(k);
            points_[byCell[j].point].cellCount = static_cast<std::uint32_t>(end - k);
        }
        k = end;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (points_[startPoint_[i]].count == 1 || points_[endPoint_[i]].count == 1) {
            freeAtStart_.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

const ChainIndex::Cell* ChainIndex::findCell(std::int64_t cx, std::int64_t cy) const {
    std::size_t hash = cellHash(cx, cy);
    std::size_t bit = hash >> (64 - occupiedBits_);
    if ((occupied_[bit / 64] >> (bit % 64) & 1) == 0) { return nullptr; }
    std::size_t mask = cells_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Cell& cell = cells_[slot];
        if (cell.count == 0) { return nullptr; }
        if (cell.cx == cx && cell.cy == cy) { return &cell; }
    }
}

ChainPass::ChainPass(std::vector<TItem>& passItems, const DrawingBox& box, const ChainIndex& index)
    : index_(index), items_(passItems), box_(box) {
    start();
}

ChainPass::ChainPass(std::vector<TItem>& passItems, const DrawingBox& box)
    : ownIndex_(std::make_unique<ChainIndex>(passItems)), index_(*ownIndex_), items_(passItems), box_(box) {
    start();
}

void ChainPass::start() {
    used_.assign(items_.size(), 0);
    head_.resize(index_.points_.size());
    remaining_.resize(index_.points_.size());
    for (std::size_t p = 0; p < head_.size(); ++p) {
        head_[p] = index_.points_[p].first;
        remaining_[p] = index_.points_[p].count;
    }
    // Sorted ascending, so already a valid min-heap.
    freeEnds_ = decltype(freeEnds_)(std::greater<>(), index_.freeAtStart_);
}

std::int64_t ChainPass::firstRemainingAt(std::uint32_t point) {
    const ChainIndex::Point& p = index_.points_[point];
    std::uint32_t& head = head_[point];
    while (head < p.first + p.count && used_[index_.entities_[head]] != 0) { ++head; }
    return head < p.first + p.count ? static_cast<std::int64_t>(index_.entities_[head]) : -1;
}

// The first remaining entity with its start or end within 0.01 mm of (px, py), absolute.
std::int64_t ChainPass::proximityPick(std::int64_t px, std::int64_t py) {
    std::int64_t best = -1;
    std::int64_t knownX[2], knownY[2];
    for (int h = 0; h < 2; ++h) {
        if (lastPoints_[h] == kNoPoint) { continue; }
        knownX[h] = gridCell(index_.points_[lastPoints_[h]].x);
        knownY[h] = gridCell(index_.points_[lastPoints_[h]].y);
    }
    const std::int64_t firstX = gridCell(px - (kNear - 1)), lastX = gridCell(px + (kNear - 1));
    const std::int64_t firstY = gridCell(py - (kNear - 1)), lastY = gridCell(py + (kNear - 1));
    for (std::int64_t cx = firstX; cx <= lastX; ++cx) {
        for (std::int64_t cy = firstY; cy <= lastY; ++cy) {
            std::uint32_t cellFirst = 0, cellCount = 0;
            bool known = false;
            for (int h = 0; h < 2 && !known; ++h) {
                if (lastPoints_[h] != kNoPoint && knownX[h] == cx && knownY[h] == cy) {
                    cellFirst = index_.points_[lastPoints_[h]].cellFirst;
                    cellCount = index_.points_[lastPoints_[h]].cellCount;
                    known = true;
                }
            }
            if (!known) {
                const ChainIndex::Cell* cell = index_.findCell(cx, cy);
                if (cell == nullptr) { continue; }
                cellFirst = cell->first;
                cellCount = cell->count;
            }
            for (std::uint32_t k = cellFirst; k < cellFirst + cellCount; ++k) {
                std::uint32_t point = index_.cellPoints_[k];
                if (remaining_[point] == 0) { continue; }
                const ChainIndex::Point& p = index_.points_[point];
                if (!near(p.x, px) || !near(p.y, py)) { continue; }
                std::int64_t first = firstRemainingAt(point);
                if (best < 0 || first < best) { best = first; }
            }
        }
    }
    return best;
}

bool ChainPass::endNear(std::uint32_t entity, std::int64_t px, std::int64_t py) const {
    const TItem& item = items_[entity];
    return near(item.endX.raw, px) && near(item.endY.raw, py);
}

void ChainPass::markUsed(std::uint32_t entity) {
    items_[entity].used = true;
    used_[entity] = 1;
    ++picked_;
    std::uint32_t points[2] = {index_.startPoint_[entity], index_.endPoint_[entity]};
    lastPoints_[0] = points[0];
    lastPoints_[1] = points[1];
    for (int k = 0; k < (points[0] == points[1] ? 1 : 2); ++k) {
        // When one entity is left at a point, that end of it has become free.
        if (--remaining_[points[k]] == 1) { freeEnds_.push(static_cast<std::uint32_t>(firstRemainingAt(points[k]))); }
    }
}

ChainPick ChainPass::next(TPoint tracingPosition) {
    // The stored ends are absolute; compare them with the box-relative position moved back by the box corner.
    const std::int64_t px = tracingPosition.x.raw + box_.minX.raw;
    const std::int64_t py = tracingPosition.y.raw + box_.minY.raw;
    bool reverse = false;
    std::int64_t chosen = proximityPick(px, py);
    if (chosen < 0) {
        while (!freeEnds_.empty() && used_[freeEnds_.top()] != 0) { freeEnds_.pop(); }
        if (!freeEnds_.empty()) {
            chosen = freeEnds_.top();
            // A shared start means the free end is the end point: trace from there.
            reverse = remaining_[index_.startPoint_[static_cast<std::size_t>(chosen)]] >= 2;
        }
    }
    if (chosen < 0) {
        while (used_[firstUnused_] != 0) { ++firstUnused_; }
        chosen = static_cast<std::int64_t>(firstUnused_);
        reverse = true;
    }
    std::uint32_t entity = static_cast<std::uint32_t>(chosen);
    if (endNear(entity, px, py)) { reverse = true; }
    if (reverse) { reverseItem(items_[entity]); }
    markUsed(entity);
    return ChainPick{entity, reverse};
}

}  // namespace bw
