#include "pcb/SimplifyPolyline.h"

#include <cmath>
#include <utility>

namespace bw {

namespace {

using UInt128 = unsigned __int128;

// Below this every side, their sum and the Heron factors fit in 64 bits, and
// the exact arithmetic needs no 128-bit division (the common case on a board).
constexpr std::int64_t kFastLimit = std::int64_t(1) << 30;

// round(sqrt(n)) for n < 2^62 through a double root, corrected to the exact one.
std::int64_t rootRounded(std::uint64_t n) {
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
    while (root * root > n) { --root; }
    while ((root + 1) * (root + 1) <= n) { ++root; }
    return static_cast<std::int64_t>(n - root * root > root ? root + 1 : root);
}

// round(sqrt(u v)) for u, v < 2^62: a double estimate, made exact with 128-bit products.
std::int64_t rootRounded(std::uint64_t u, std::uint64_t v) {
    const UInt128 n = static_cast<UInt128>(u) * v;
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(u)) * std::sqrt(static_cast<double>(v)));
    if (root > (std::uint64_t(1) << 48)) {  // the double may be off by more than a few units here
        root = static_cast<std::uint64_t>((static_cast<UInt128>(root) + n / root) / 2);
    }
    while (static_cast<UInt128>(root) * root > n) { --root; }
    while (static_cast<UInt128>(root + 1) * (root + 1) <= n) { ++root; }
    return static_cast<std::int64_t>(n - static_cast<UInt128>(root) * root > root ? root + 1 : root);
}

std::int64_t roundedLength(MachinePoint from, MachinePoint to) {
    Int128 dx = Int128(to.x.raw) - from.x.raw;
    Int128 dy = Int128(to.y.raw) - from.y.raw;
    UInt128 squared = static_cast<UInt128>(dx * dx + dy * dy);
    if (squared < (UInt128(1) << 62)) { return rootRounded(static_cast<std::uint64_t>(squared)); }
    return sqrtRound(squared);
}

// round(sqrt(a b c d)) for positive factors beyond the fast range. Falls back to
// long double only where the product leaves 128 bits, which the outline's size
// limit rules out.
std::int64_t heronRootWide(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    UInt128 product = static_cast<UInt128>(a);
    for (std::int64_t factor : {b, c, d}) {
        if (__builtin_mul_overflow(product, static_cast<UInt128>(factor), &product)) {
            long double root = std::sqrt(static_cast<long double>(a) * b) * std::sqrt(static_cast<long double>(c) * d);
            return static_cast<std::int64_t>(std::llround(root));
        }
    }
    return sqrtRound(product);
}

// The height by Heron's formula from the three rounded sides.
std::int64_t heronHeight(std::int64_t ap, std::int64_t bp, std::int64_t ab) {
    if (ap < kFastLimit && bp < kFastLimit && ab < kFastLimit) {
        // s = round((ap + bp + ab) / 2), ties to even
        const std::int64_t sum = ap + bp + ab;
        const std::int64_t s = (sum >> 1) + ((sum & 1) & ((sum >> 1) & 1));
        const std::int64_t sa = s - ap, sb = s - bp, sc = s - ab;
        if (s <= 0 || sa <= 0 || sb <= 0 || sc <= 0) { return 0; }
        const std::int64_t area = rootRounded(static_cast<std::uint64_t>(s) * static_cast<std::uint64_t>(sa),
                                              static_cast<std::uint64_t>(sb) * static_cast<std::uint64_t>(sc));
        // round(2 area / ab), ties to even
        const std::uint64_t twice = 2 * static_cast<std::uint64_t>(area);
        const std::uint64_t divisor = static_cast<std::uint64_t>(ab);
        std::uint64_t quotient = twice / divisor;
        const std::uint64_t rest2 = 2 * (twice % divisor);
        if (rest2 > divisor || (rest2 == divisor && (quotient & 1))) { ++quotient; }
        return static_cast<std::int64_t>(quotient);
    }
    const std::int64_t s = static_cast<std::int64_t>(divRoundEven(Int128(ap) + bp + ab, 2));
    if (s <= 0 || s - ap <= 0 || s - bp <= 0 || s - ab <= 0) { return 0; }
    const std::int64_t area = heronRootWide(s, s - ap, s - bp, s - ab);
    return static_cast<std::int64_t>(divRoundEven(Int128(2) * area, ab));
}

// The rounded lengths from each point of a range to the range's two ends. A
// range split at s gives [first, s], which keeps its first end, and [s, last],
// which keeps its last one; the two share no inner point, so each child works
// out only the lengths to its new end and reuses its parent's for the other.
struct EndLengths {
    std::vector<std::int64_t> toFirst;
    std::vector<std::int64_t> toLast;
};

void measureTo(const Contour& points, std::size_t end, std::size_t first, std::size_t last,
               std::vector<std::int64_t>& out) {
    for (std::size_t i = first + 1; i < last; ++i) { out[i] = roundedLength(points[end], points[i]); }
}

// The largest distance from the chord first..last and the first index where it
// occurs, from lengths already measured for this range.
std::pair<std::int64_t, std::size_t> farthestPoint(const Contour& points, const EndLengths& lengths, std::size_t first,
                                                   std::size_t last) {
    std::int64_t largest = 0;
    std::size_t split = first;
    if (points[first] == points[last]) {
        for (std::size_t i = first + 1; i < last; ++i) {
            if (lengths.toFirst[i] > largest) {
                largest = lengths.toFirst[i];
                split = i;
            }
        }
        return {largest, split};
    }
    const std::int64_t ab = roundedLength(points[first], points[last]);
    for (std::size_t i = first + 1; i < last; ++i) {
        std::int64_t distance = heronHeight(lengths.toFirst[i], lengths.toLast[i], ab);
        if (distance > largest) {
            largest = distance;
            split = i;
        }
    }
    return {largest, split};
}

}  // namespace

Fixed4 LineDistance(MachinePoint p, MachinePoint a, MachinePoint b) {
    if (a == b) { return Fixed4::fromRaw(roundedLength(a, p)); }
    return Fixed4::fromRaw(heronHeight(roundedLength(a, p), roundedLength(b, p), roundedLength(a, b)));
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
    EndLengths lengths{std::vector<std::int64_t>(points.size()), std::vector<std::int64_t>(points.size())};
    measureTo(points, 0, 0, points.size() - 1, lengths.toFirst);
    measureTo(points, points.size() - 1, 0, points.size() - 1, lengths.toLast);
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, points.size() - 1}};
    while (!ranges.empty()) {
        auto [first, last] = ranges.back();
        ranges.pop_back();
        auto [largest, split] = farthestPoint(points, lengths, first, last);
        if (largest > epsilon.raw) {
            keep[split] = true;
            measureTo(points, split, first, split, lengths.toLast);
            measureTo(points, split, split, last, lengths.toFirst);
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
