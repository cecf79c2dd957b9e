#include "dxf/ChainPass.h"

#include <limits>

namespace bw {

namespace {

constexpr std::int64_t kNear = 100;  // "within 0.01 mm": differences of at most 99 units
constexpr std::int64_t kCell = 100;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

bool near(std::int64_t a, std::int64_t b) { return a - b < kNear && b - a < kNear; }

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

std::size_t ChainPass::PointHash::operator()(const PointKey& k) const {
    std::uint64_t h = static_cast<std::uint64_t>(k.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(k.y) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
    h ^= h >> 31;
    return static_cast<std::size_t>(h * 0xBF58476D1CE4E5B9ull);
}

ChainPass::ChainPass(std::vector<TItem>& passItems, const DrawingBox& box) : items_(passItems), box_(box) {
    const std::size_t n = items_.size();
    startBucket_.resize(n);
    endBucket_.resize(n);
    bucketIndex_.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const TItem& item = items_[i];
        std::uint32_t s = bucketFor(item.startX.raw, item.startY.raw);
        std::uint32_t e = bucketFor(item.endX.raw, item.endY.raw);
        startBucket_[i] = s;
        endBucket_[i] = e;
        buckets_[s].entities.push_back(static_cast<std::uint32_t>(i));
        ++buckets_[s].remaining;
        if (e != s) {
            buckets_[e].entities.push_back(static_cast<std::uint32_t>(i));
            ++buckets_[e].remaining;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (buckets_[startBucket_[i]].remaining == 1 || buckets_[endBucket_[i]].remaining == 1) {
            freeEnds_.push(static_cast<std::uint32_t>(i));
        }
    }
}

std::uint32_t ChainPass::bucketFor(std::int64_t x, std::int64_t y) {
    auto [it, inserted] = bucketIndex_.try_emplace(PointKey{x, y}, static_cast<std::uint32_t>(buckets_.size()));
    if (inserted) {
        PointBucket bucket;
        bucket.x = x;
        bucket.y = y;
        buckets_.push_back(std::move(bucket));
        cells_[PointKey{floorDiv(x, kCell), floorDiv(y, kCell)}].push_back(it->second);
    }
    return it->second;
}

std::int64_t ChainPass::firstRemainingIn(PointBucket& bucket) {
    while (bucket.head < bucket.entities.size() && items_[bucket.entities[bucket.head]].used) { ++bucket.head; }
    return bucket.head < bucket.entities.size() ? static_cast<std::int64_t>(bucket.entities[bucket.head]) : -1;
}

// The first remaining entity with its start or end within 0.01 mm of (px, py), absolute.
std::int64_t ChainPass::proximityPick(std::int64_t px, std::int64_t py) {
    std::int64_t best = -1;
    for (std::int64_t cx = floorDiv(px - (kNear - 1), kCell); cx <= floorDiv(px + (kNear - 1), kCell); ++cx) {
        for (std::int64_t cy = floorDiv(py - (kNear - 1), kCell); cy <= floorDiv(py + (kNear - 1), kCell); ++cy) {
            auto cell = cells_.find(PointKey{cx, cy});
            if (cell == cells_.end()) { continue; }
            std::vector<std::uint32_t>& points = cell->second;
            for (std::size_t k = 0; k < points.size();) {
                PointBucket& bucket = buckets_[points[k]];
                std::int64_t first = firstRemainingIn(bucket);
                if (first < 0) {  // every entity at this point is traced: forget the point
                    points[k] = points.back();
                    points.pop_back();
                    continue;
                }
                if (near(bucket.x, px) && near(bucket.y, py) && (best < 0 || first < best)) { best = first; }
                ++k;
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
    ++picked_;
    std::uint32_t points[2] = {startBucket_[entity], endBucket_[entity]};
    for (int k = 0; k < (points[0] == points[1] ? 1 : 2); ++k) {
        PointBucket& bucket = buckets_[points[k]];
        // When one entity is left at a point, that end of it has become free.
        if (--bucket.remaining == 1) {
            for (std::size_t j = bucket.head; j < bucket.entities.size(); ++j) {
                if (!items_[bucket.entities[j]].used) {
                    freeEnds_.push(bucket.entities[j]);
                    break;
                }
            }
        }
    }
}

ChainPick ChainPass::next(TPoint tracingPosition) {
    // The stored ends are absolute; compare them with the box-relative position moved back by the box corner.
    const std::int64_t px = tracingPosition.x.raw + box_.minX.raw;
    const std::int64_t py = tracingPosition.y.raw + box_.minY.raw;
    ChainPick pick;
    bool reverse = false;
    std::int64_t chosen = proximityPick(px, py);
    if (chosen < 0) {
        while (!freeEnds_.empty() && items_[freeEnds_.top()].used) { freeEnds_.pop(); }
        if (!freeEnds_.empty()) {
            chosen = freeEnds_.top();
            // A shared start means the free end is the end point: trace from there.
            reverse = buckets_[startBucket_[static_cast<std::size_t>(chosen)]].remaining >= 2;
        }
    }
    if (chosen < 0) {
        while (items_[firstUnused_].used) { ++firstUnused_; }
        chosen = static_cast<std::int64_t>(firstUnused_);
        reverse = true;
    }
    std::uint32_t entity = static_cast<std::uint32_t>(chosen);
    if (endNear(entity, px, py)) { reverse = true; }
    pick.index = entity;
    pick.reversed = reverse;
    if (reverse) { reverseItem(items_[entity]); }
    markUsed(entity);
    return pick;
}

}  // namespace bw
