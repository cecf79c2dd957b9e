#include "pcb/SimplifyPolyline.h"

#include <cmath>
#include <utility>

namespace bw {

namespace {

using UInt128 = unsigned __int128;

std::int64_t roundedLength(MachinePoint from, MachinePoint to) {
    Int128 dx = Int128(to.x.raw) - from.x.raw;
    Int128 dy = Int128(to.y.raw) - from.y.raw;
    UInt128 squared = static_cast<UInt128>(dx * dx + dy * dy);
    if (squared < (UInt128(1) << 60)) {
        // The common case on a board: a double root, corrected to the exact rounded one.
        auto n = static_cast<std::uint64_t>(squared);
        auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
        while (root * root > n) { --root; }
        while ((root + 1) * (root + 1) <= n) { ++root; }
        return static_cast<std::int64_t>(n - root * root > root ? root + 1 : root);
    }
    return sqrtRound(squared);
}

// round(sqrt(a b c d)); the factors are positive. Falls back to long double only
// where the product leaves 128 bits, which the outline's size limit rules out.
std::int64_t heronRoot(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    UInt128 product = static_cast<UInt128>(a);
    for (std::int64_t factor : {b, c, d}) {
        if (__builtin_mul_overflow(product, static_cast<UInt128>(factor), &product)) {
            long double root = std::sqrt(static_cast<long double>(a) * b) * std::sqrt(static_cast<long double>(c) * d);
            return static_cast<std::int64_t>(std::llround(root));
        }
    }
    return sqrtRound(product);
}

}  // namespace

Fixed4 LineDistance(MachinePoint p, MachinePoint a, MachinePoint b) {
    if (a == b) { return Fixed4::fromRaw(roundedLength(a, p)); }
    const std::int64_t ap = roundedLength(a, p);
    const std::int64_t bp = roundedLength(b, p);
    const std::int64_t ab = roundedLength(a, b);
    const std::int64_t s = static_cast<std::int64_t>(divRoundEven(Int128(ap) + bp + ab, 2));
    if (s <= 0 || s - ap <= 0 || s - bp <= 0 || s - ab <= 0) { return Fixed4{}; }
    const std::int64_t area = heronRoot(s, s - ap, s - bp, s - ab);
    return Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(Int128(2) * area, ab)));
}

Contour SimplifyPolyline(const Contour& points, Fixed4 epsilon) {
    if (points.empty()) { return {}; }
    if (points.size() == 1) { return {points.front(), points.front()}; }
    // The recursion keeps exactly the end points and every split point, so an
    // explicit stack of ranges gives the same result without deep recursion on
    // long staircases.
    std::vector<bool> keep(points.size(), false);
    keep.front() = true;
    keep.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, points.size() - 1}};
    while (!ranges.empty()) {
        auto [first, last] = ranges.back();
        ranges.pop_back();
        Fixed4 largest{};
        std::size_t split = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            Fixed4 distance = LineDistance(points[i], points[first], points[last]);
            if (distance > largest) {
                largest = distance;
                split = i;
            }
        }
        if (largest > epsilon) {
            keep[split] = true;
            ranges.emplace_back(first, split);
            ranges.emplace_back(split, last);
        }
    }
    Contour simplified;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (keep[i]) { simplified.push_back(points[i]); }
    }
    return simplified;
}

}  // namespace bw
