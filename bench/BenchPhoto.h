#pragma once
// The 3000 x 3000 photo-like picture the raster benchmarks share: smooth
// gradients plus noise, so almost every pixel differs from its neighbour.

#include <algorithm>
#include <cmath>
#include <random>

#include "raster/PixelBuffer.h"

namespace bw::bench {

constexpr int kSide = 3000;

inline const PixelBuffer& photo() {
    static const PixelBuffer picture = [] {
        PixelBuffer p(kSide, kSide);
        std::mt19937 random(20261206);
        std::normal_distribution<double> noise(0.0, 12.0);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                double u = x / double(kSide), v = y / double(kSide);
                double base = 128 + 90 * std::sin(6.0 * u + 2.0 * v) * std::cos(4.0 * v - u);
                auto channel = [&](double shift) {
                    return std::clamp(static_cast<int>(base + shift + noise(random)), 0, 255);
                };
                p.row(y)[x] = 0xFF000000u | std::uint32_t(channel(20)) << 16 | std::uint32_t(channel(0)) << 8 |
                              std::uint32_t(channel(-20));
            }
        }
        return p;
    }();
    return picture;
}

}  // namespace bw::bench
