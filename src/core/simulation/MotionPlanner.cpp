#include "MotionPlanner.h"

#include <algorithm>
#include <cmath>

namespace bw {

namespace {

constexpr double kMinimumFeedMmPerS = 1.0 / 60.0;  // the controller never plans slower
constexpr double kLargeSpeedSqr = 1e38;

}  // namespace

MotionPlanner::MotionPlanner(const MachineLimits& limits) : limits_(limits) {}

// The controller limits a rate or acceleration so that no single axis exceeds its
// own: a diagonal move may run faster along its path than either axis alone.
double MotionPlanner::limitByAxis(double value, const double unit[3]) const {
    double largest = std::max({std::fabs(unit[0]), std::fabs(unit[1]), std::fabs(unit[2])});
    return largest > 0 ? value / largest : value;
}

void MotionPlanner::addMove(double dx, double dy, double dz, double feedMmPerMin, bool rapid) {
    double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(length > 1e-9)) { return; }
    double unit[3] = {dx / length, dy / length, dz / length};

    Block block;
    block.lengthMm = length;
    block.acceleration = limitByAxis(limits_.accelerationMmPerS2, unit);
    double rapidRate = limitByAxis(limits_.maxRateMmPerMin / 60.0, unit);
    double nominal = rapid ? rapidRate : std::min(feedMmPerMin / 60.0, rapidRate);
    nominal = std::max(nominal, kMinimumFeedMmPerS);
    block.nominalSqr = nominal * nominal;

    double junctionSqr = 0;
    if (moving_) {
        // Junction deviation: the speed at which a circle tangent to both moves,
        // passing `junctionDeviationMm` from the corner, needs exactly the
        // acceleration limit.
        double cosTheta = -(previousUnit_[0] * unit[0] + previousUnit_[1] * unit[1] + previousUnit_[2] * unit[2]);
        if (cosTheta > 0.999999) {
            junctionSqr = 0;  // straight back
        } else if (cosTheta < -0.999999) {
            junctionSqr = kLargeSpeedSqr;  // straight on
        } else {
            double junctionUnit[3] = {unit[0] - previousUnit_[0], unit[1] - previousUnit_[1],
                                      unit[2] - previousUnit_[2]};
            double norm = std::sqrt(junctionUnit[0] * junctionUnit[0] + junctionUnit[1] * junctionUnit[1] +
                                    junctionUnit[2] * junctionUnit[2]);
            for (double& part : junctionUnit) { part /= norm; }
            double junctionAcceleration = limitByAxis(limits_.accelerationMmPerS2, junctionUnit);
            double sinHalf = std::sqrt(0.5 * (1.0 - cosTheta));
            junctionSqr = junctionAcceleration * limits_.junctionDeviationMm * sinHalf / (1.0 - sinHalf);
        }
        double slower = std::min(nominal, previousNominal_);
        block.maxEntrySqr = std::min(junctionSqr, slower * slower);
    }
    block.entrySqr = block.maxEntrySqr;  // from rest: 0
    std::copy(unit, unit + 3, previousUnit_);
    previousNominal_ = nominal;
    moving_ = true;
    blocks_.push_back(block);
    if (blocks_.size() >= planAt_) { plan(false); }
}

// Backward pass from the newest block (assumed to end at rest), forward pass from
// the oldest (whose entry is final), then times every block that later moves can
// no longer change.
void MotionPlanner::plan(bool atRest) {
    const std::size_t n = blocks_.size();
    if (n == 0) { return; }
    double nextEntrySqr = 0;
    std::size_t settled = 0;  // blocks before this index have their final profile
    for (std::size_t i = n - 1; i >= 1; --i) {
        Block& block = blocks_[i];
        double reachable = nextEntrySqr + 2 * block.acceleration * block.lengthMm;
        if (reachable >= block.maxEntrySqr) {
            block.entrySqr = block.maxEntrySqr;
            if (settled == 0) { settled = i; }
        } else {
            block.entrySqr = reachable;
        }
        nextEntrySqr = block.entrySqr;
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        double reachable = blocks_[i].entrySqr + 2 * blocks_[i].acceleration * blocks_[i].lengthMm;
        blocks_[i + 1].entrySqr = std::min(blocks_[i + 1].entrySqr, reachable);
    }
    if (atRest) { settled = n; }
    for (std::size_t i = 0; i < settled; ++i) {
        const Block& block = blocks_[i];
        double exitSqr = i + 1 < n ? blocks_[i + 1].entrySqr : 0;
        seconds_ += TrapezoidSeconds(block.lengthMm, block.acceleration, block.entrySqr, block.nominalSqr, exitSqr);
    }
    blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(settled));
    // Each block is planned a bounded number of times: wait for as many new ones
    // as are still held.
    planAt_ = std::max<std::size_t>(4096, 2 * blocks_.size());
}

void MotionPlanner::stop() {
    plan(true);
    moving_ = false;
}

void MotionPlanner::dwell(double seconds) {
    stop();
    if (seconds > 0) { seconds_ += seconds; }
}

double MotionPlanner::finish() {
    stop();
    return seconds_;
}

double TrapezoidSeconds(double lengthMm, double acceleration, double entrySqr, double nominalSqr, double exitSqr) {
    double accelerating = std::max(0.0, (nominalSqr - entrySqr) / (2 * acceleration));
    double decelerating = std::max(0.0, (nominalSqr - exitSqr) / (2 * acceleration));
    double v0 = std::sqrt(entrySqr);
    double v1 = std::sqrt(exitSqr);
    if (accelerating + decelerating <= lengthMm) {
        double vn = std::sqrt(nominalSqr);
        return (vn - v0) / acceleration + (vn - v1) / acceleration + (lengthMm - accelerating - decelerating) / vn;
    }
    // No cruise: the peak speed where acceleration meets deceleration.
    double peak = std::sqrt(std::max({(2 * acceleration * lengthMm + entrySqr + exitSqr) / 2, entrySqr, exitSqr}));
    return (peak - v0) / acceleration + (peak - v1) / acceleration;
}

}  // namespace bw
