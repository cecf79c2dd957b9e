#include "ProgramSimulator.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace bw {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kLargestCoordinate = 1e6;      // mm; larger values are typing errors, not drawings
constexpr double kAngularEpsilon = 5e-7;        // radians: an arc to its own start is a full circle
constexpr std::uint32_t kMaxArcChords = 65535;  // the controller counts chords in 16 bits

// A word as the user wrote it ("M17", "E0.5"), for warnings.
std::string wordText(const GCodeWord& word) {
    char buffer[64];
    buffer[0] = word.letter;
    auto result = std::to_chars(buffer + 1, buffer + sizeof buffer, word.value);
    return std::string(buffer, result.ptr);
}

// G and M numbers in tenths: G91.1 is 911.
int codeTenths(double value) {
    if (!(std::fabs(value) < 100000)) { return -1; }
    double tenths = value * 10;
    long rounded = std::lround(tenths);
    return std::fabs(tenths - static_cast<double>(rounded)) < 1e-3 ? static_cast<int>(rounded) : -1;
}

}  // namespace

ProgramSimulator::ProgramSimulator(const SimulationOptions& options, SegmentCallback onSegment)
    : options_(options), onSegment_(std::move(onSegment)), planner_(options.limits) {
    words_.reserve(16);
}

void ProgramSimulator::warn(std::string_view text) {
    ++summary_.warningCount;
    if (summary_.warnings.size() >= kMaxWarnings) { return; }
    char number[24];
    auto end = std::to_chars(number, number + sizeof number, summary_.lines).ptr;
    std::string message = "line ";
    message.append(number, end).append(": ").append(text);
    summary_.warnings.push_back(std::move(message));
}

void ProgramSimulator::addLine(std::string_view line) {
    ++summary_.lines;
    std::string_view problem = SplitGCodeLine(line, words_);
    if (!problem.empty()) {
        warn(std::string(problem) + ", line not run");
        return;
    }
    if (!words_.empty()) { interpret(); }
}

void ProgramSimulator::addText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            addLine(text.substr(start));
            return;
        }
        addLine(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

SimulationSummary ProgramSimulator::finish() {
    if (options_.estimateTime) { summary_.seconds = planner_.finish(); }
    return summary_;
}

// One line's words in the controller's order of execution: units, feed, power,
// laser and coolant, dwell, distance mode, offsets, then the motion.
void ProgramSimulator::interpret() {
    Motion motion = motion_;
    bool motionWord = false;
    bool dwell = false, setOffset = false, resetOffset = false, programEnd = false;
    bool hasAxis[3] = {false, false, false};
    double axis[3] = {0, 0, 0};
    bool hasI = false, hasJ = false, hasR = false, hasP = false, hasF = false, hasS = false;
    double valueI = 0, valueJ = 0, valueR = 0, valueP = 0, valueF = 0, valueS = 0;
    Laser laser = laser_;
    int coolant = coolant_;
    bool relative = relative_, inches = inches_;

    for (const GCodeWord& word : words_) {
        switch (word.letter) {
            case 'G':
                switch (codeTenths(word.value)) {
                    case 0:
                        motion = Motion::Rapid;
                        motionWord = true;
                        break;
                    case 10:
                        motion = Motion::Linear;
                        motionWord = true;
                        break;
                    case 20:
                        motion = Motion::ArcClockwise;
                        motionWord = true;
                        break;
                    case 30:
                        motion = Motion::ArcCounterClockwise;
                        motionWord = true;
                        break;
                    case 40: dwell = true; break;
                    case 200: inches = true; break;
                    case 210: inches = false; break;
                    case 900: relative = false; break;
                    case 910: relative = true; break;
                    case 920: setOffset = true; break;
                    case 921: resetOffset = true; break;
                    case 800:
                        motion = Motion::None;
                        motionWord = true;
                        break;
                    // Plane XY, incremental arc centres, feed per minute, work coordinate
                    // systems, no cutter or length compensation, exact path: the defaults.
                    case 170:
                    case 911:
                    case 940:
                    case 400:
                    case 490:
                    case 540:
                    case 550:
                    case 560:
                    case 570:
                    case 580:
                    case 590:
                    case 610:
                    case 640: break;
                    default: warn(wordText(word) + " is not simulated"); break;
                }
                break;
            case 'M':
                switch (codeTenths(word.value)) {
                    case 20:
                    case 300: programEnd = true; break;
                    case 30: laser = Laser::Constant; break;
                    case 40: laser = Laser::Dynamic; break;
                    case 50: laser = Laser::Off; break;
                    case 70: coolant = 7; break;
                    case 80: coolant = 8; break;
                    case 90: coolant = 9; break;
                    case 0:
                    case 10:
                    case 560: break;  // pauses and override control cost no modelled time
                    default: warn(wordText(word) + " is not simulated"); break;
                }
                break;
            case 'X':
            case 'Y':
            case 'Z': {
                int index = word.letter - 'X';
                hasAxis[index] = true;
                axis[index] = word.value;
                break;
            }
            case 'I':
                hasI = true;
                valueI = word.value;
                break;
            case 'J':
                hasJ = true;
                valueJ = word.value;
                break;
            case 'R':
                hasR = true;
                valueR = word.value;
                break;
            case 'P':
                hasP = true;
                valueP = word.value;
                break;
            case 'F':
                hasF = true;
                valueF = word.value;
                break;
            case 'S':
                hasS = true;
                valueS = word.value;
                break;
            // K: off the XY plane; N: line number; A, B, C: rotary axes, not part of the XY path.
            case 'K':
            case 'N':
            case 'A':
            case 'B':
            case 'C': break;
            default: warn("unknown word " + wordText(word)); break;
        }
    }

    const double scale = inches ? kMmPerInch : 1.0;
    for (int k = 0; k < 3; ++k) {
        if (hasAxis[k] && !(std::fabs(axis[k] * scale) <= kLargestCoordinate)) {
            warn("coordinate out of range, line not run");
            return;
        }
    }
    bool anyAxis = hasAxis[0] || hasAxis[1] || hasAxis[2];
    bool movesNow = anyAxis && !setOffset && motion != Motion::None;
    inches_ = inches;
    if (hasF) {
        if (valueF <= 0) {
            warn("feed rate must be positive, line not run");
            return;
        }
        feedMmPerMin_ = valueF * scale;
    }
    // The controller waits for the machine to rest before it changes the laser's
    // state, the coolant, or the power outside a move.
    bool restBefore = laser != laser_ || coolant != coolant_;
    if (hasS) {
        if (valueS < 0) {
            warn("negative power, line not run");
            return;
        }
        if (valueS != power_ && laser_ != Laser::Off && !movesNow) { restBefore = true; }
        power_ = valueS;
    }
    if (laser_ == Laser::Constant && motionWord && !anyAxis &&
        (motion == Motion::Rapid) != (motion_ == Motion::Rapid)) {
        restBefore = true;  // constant power switches on or off with the motion mode
    }
    if (restBefore && options_.estimateTime) { planner_.stop(); }
    laser_ = laser;
    coolant_ = coolant;
    if (dwell) {
        if (!hasP || valueP < 0) {
            warn("G4 needs a dwell time P");
        } else if (options_.estimateTime) {
            planner_.dwell(valueP);
        }
    }
    relative_ = relative;
    if (resetOffset) { offset_[0] = offset_[1] = offset_[2] = 0; }
    if (setOffset) {
        for (int k = 0; k < 3; ++k) {
            if (hasAxis[k]) { offset_[k] = position_[k] - axis[k] * scale; }
        }
    }
    if (motionWord) { motion_ = motion; }

    if (anyAxis && !setOffset && motion == Motion::None) { warn("axis words without a motion mode"); }
    if (movesNow) {
        double target[3];
        for (int k = 0; k < 3; ++k) {
            target[k] = !hasAxis[k] ? position_[k]
                        : relative  ? position_[k] + axis[k] * scale
                                    : axis[k] * scale + offset_[k];
        }
        if (motion != Motion::Rapid && feedMmPerMin_ <= 0) {
            warn("feed rate not set, move not run");
        } else if (motion == Motion::Rapid || motion == Motion::Linear) {
            moveTo(target, motion);
        } else {
            bool clockwise = motion == Motion::ArcClockwise;
            double dx = target[0] - position_[0], dy = target[1] - position_[1];
            if (hasR) {
                // Centre from the radius: on the perpendicular bisector of the chord,
                // the shorter arc for R > 0 and the longer for R < 0.
                double radius = valueR * scale;
                double chordSqr = dx * dx + dy * dy;
                double hSqr4 = 4 * radius * radius - chordSqr;
                if (!(std::fabs(radius) <= kLargestCoordinate)) {
                    warn("arc radius out of range, move not run");
                } else if (chordSqr <= 0) {
                    warn("arc by radius needs an end point apart from its start, move not run");
                } else if (hSqr4 < 0) {
                    warn("arc radius shorter than half the chord, move not run");
                } else {
                    double h = -std::sqrt(hSqr4) / std::sqrt(chordSqr);
                    if (!clockwise) { h = -h; }
                    if (radius < 0) { h = -h; }
                    arcTo(target, 0.5 * (dx - dy * h), 0.5 * (dy + dx * h), clockwise);
                }
            } else if (hasI || hasJ) {
                double i = valueI * scale, j = valueJ * scale;
                if (!(std::fabs(i) <= kLargestCoordinate && std::fabs(j) <= kLargestCoordinate)) {
                    warn("arc centre out of range, move not run");
                } else {
                    double startRadius = std::hypot(i, j);
                    double endRadius = std::hypot(target[0] - position_[0] - i, target[1] - position_[1] - j);
                    double miss = std::fabs(endRadius - startRadius);
                    if (miss > 0.005 && (miss > 0.5 || miss > 0.001 * startRadius)) {
                        warn("arc end is not on its circle, move not run");
                    } else {
                        arcTo(target, i, j, clockwise);
                    }
                }
            } else {
                warn("arc without I, J or R, move not run");
            }
        }
    }
    if (programEnd) {
        if (options_.estimateTime) { planner_.stop(); }
        motion_ = Motion::Linear;
        relative_ = false;
        laser_ = Laser::Off;
        coolant_ = 9;
    }
}

void ProgramSimulator::moveTo(const double target[3], Motion motion) {
    if (target[0] == position_[0] && target[1] == position_[1] && target[2] == position_[2]) {
        // A controller drops a move that goes nowhere, but where every feed move
        // exposes (PCB raster), one that stays put still exposes the spot it is on.
        if (!options_.burnAllFeedMoves || motion == Motion::Rapid) { return; }
    }
    ++summary_.moves;
    straightPiece(target, motion);
}

// The arc as the controller cuts it: chords that stray at most the arc tolerance
// from the circle, the height changing evenly along them (a helix).
void ProgramSimulator::arcTo(const double target[3], double offsetI, double offsetJ, bool clockwise) {
    const double centreX = position_[0] + offsetI, centreY = position_[1] + offsetJ;
    const double startX = -offsetI, startY = -offsetJ;
    const double endX = target[0] - centreX, endY = target[1] - centreY;
    double sweep = std::atan2(startX * endY - startY * endX, startX * endX + startY * endY);
    if (clockwise) {
        if (sweep >= -kAngularEpsilon) { sweep -= 2 * std::numbers::pi; }
    } else if (sweep <= kAngularEpsilon) {
        sweep += 2 * std::numbers::pi;
    }
    const double radius = std::hypot(startX, startY);
    ++summary_.moves;
    double chordLimit = std::sqrt(kArcToleranceMm * (2 * radius - kArcToleranceMm));
    double count = radius > kArcToleranceMm ? std::floor(std::fabs(0.5 * sweep * radius) / chordLimit) : 0;
    std::uint32_t chords = count >= kMaxArcChords ? kMaxArcChords : static_cast<std::uint32_t>(count);
    if (chords > 1) {
        const double startAngle = std::atan2(startY, startX);
        const double step = sweep / chords;
        const double startZ = position_[2];
        const double rise = (target[2] - startZ) / chords;
        for (std::uint32_t k = 1; k < chords; ++k) {
            double angle = startAngle + step * k;
            double point[3] = {centreX + radius * std::cos(angle), centreY + radius * std::sin(angle),
                               startZ + rise * k};
            straightPiece(point, clockwise ? Motion::ArcClockwise : Motion::ArcCounterClockwise);
        }
    }
    straightPiece(target, clockwise ? Motion::ArcClockwise : Motion::ArcCounterClockwise);
}

void ProgramSimulator::straightPiece(const double target[3], Motion motion) {
    ToolpathSegment segment;
    segment.from = {position_[0], position_[1], position_[2]};
    segment.to = {target[0], target[1], target[2]};
    bool feedMove = motion != Motion::Rapid;
    segment.burning = feedMove && (options_.burnAllFeedMoves || (laser_ != Laser::Off && power_ > 0));
    double dx = target[0] - position_[0], dy = target[1] - position_[1], dz = target[2] - position_[2];
    double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (segment.burning) {
        segment.power = power_;
        segment.dynamicPower = laser_ == Laser::Dynamic;
        summary_.burnLengthMm += length;
        summary_.burnBounds.add(segment);
        if (power_ > summary_.maxPower) { summary_.maxPower = power_; }
        if (segment.dynamicPower) { summary_.dynamicPower = true; }
    } else {
        summary_.travelLengthMm += length;
    }
    summary_.pathBounds.add(segment);
    if (options_.estimateTime) { planner_.addMove(dx, dy, dz, feedMmPerMin_, !feedMove); }
    if (onSegment_) { onSegment_(segment); }
    position_[0] = target[0];
    position_[1] = target[1];
    position_[2] = target[2];
}

}  // namespace bw
