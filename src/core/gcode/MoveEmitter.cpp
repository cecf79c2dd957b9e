#include "gcode/MoveEmitter.h"

#include <cmath>
#include <numbers>

namespace bw {

namespace {

constexpr std::int64_t kMinMove = 10;        // 0.001 mm (or 0.001 degrees, or 0.001 of A)
constexpr std::int64_t kFullTurn = 3600000;  // 360 degrees

std::int64_t magnitude(std::int64_t v) { return v < 0 ? -v : v; }

// Power level -> PWM values, evaluated exactly with one rounding each.
PwmValues computePwm(const EmitterSettings& params, int level) {
    Int128 minimum = params.powerMinPwm.raw;
    Int128 maximum = params.powerMaxPwm.raw;
    Int128 v255 = minimum * 255 + (maximum - minimum) * level;  // V x 10000 x 255
    PwmValues power;
    power.p = static_cast<std::int64_t>(divRoundEven(v255, Int128(255) * Fixed4::kScale));
    power.pi =
        static_cast<std::int64_t>(divRoundEven(Int128(params.pwmMax.raw) * 255 - v255, Int128(255) * Fixed4::kScale));
    power.pf = Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(v255, 255)));
    return power;
}

void buildPwmTable(PwmTable& table, const EmitterSettings& params) {
    for (int l = 0; l < 256; ++l) { table.levels[l] = computePwm(params, l); }
    table.minimum = params.powerMinPwm;
    table.maximum = params.powerMaxPwm;
    table.pwmMax = params.pwmMax;
    table.built = true;
    ++table.generation;
}

// The table for the settings' power range. Inlined: it runs for every printed
// line, and the table is almost always built.
[[gnu::always_inline]] inline const PwmTable& currentPwmTable(const ProgramWriter& out) {
    PwmTable& table = out.emitter.pwm;
    const EmitterSettings& params = out.settings;
    if (!table.built || table.minimum != params.powerMinPwm || table.maximum != params.powerMaxPwm ||
        table.pwmMax != params.pwmMax) [[unlikely]] {
        buildPwmTable(table, params);
    }
    return table;
}

[[gnu::always_inline]] inline PwmValues pwmFor(const ProgramWriter& out, int level) {
    if (level < 0 || level > 255) { return computePwm(out.settings, level); }
    return currentPwmTable(out).levels[level];
}

// A line's position and DIR-axis value: the values a baked line leaves open,
// and how every line writes them.
class HoleValues {
public:
    Fixed4 x, y, a;
    int decimals = 4;
    NumberTextCache* texts = nullptr;

    [[gnu::always_inline]] char* write(MaskToken token, char* out) const {
        switch (token) {
            case MaskToken::x:
            case MaskToken::X: *out++ = 'X'; return texts->fixed(out, x, decimals);
            case MaskToken::y:
            case MaskToken::Y: *out++ = 'Y'; return texts->fixed(out, y, decimals);
            case MaskToken::a:
            case MaskToken::A: return texts->fixed(out, a, decimals);
            default: return out;  // no other token is left open
        }
    }
};

// Everything one printed line may show.
class LineValues final : public MaskValues {
public:
    const char* g = "G0";
    Fixed4 x, y, z, i, j, a;
    std::int64_t feed = 0;
    PwmValues power;
    Fixed4 pwmMax;
    int decimals = 4;
    NumberTextCache* fixedTexts = nullptr;
    NumberTextCache* integerTexts = nullptr;

    explicit LineValues(MoveEmitterState& state) : fixedTexts(&state.fixedTexts), integerTexts(&state.integerTexts) {}

    // Inlined into the mask renderer: one call per token would cost more than most values.
    [[gnu::always_inline]] char* write(MaskToken token, char* out) const override {
        switch (token) {
            case MaskToken::G:
                *out++ = g[0];
                *out++ = g[1];
                return out;
            case MaskToken::x:
            case MaskToken::X:
            case MaskToken::y:
            case MaskToken::Y:
            case MaskToken::a:
            case MaskToken::A: return position().write(token, out);
            case MaskToken::z:
            case MaskToken::Z: return letter(out, 'Z', z);
            case MaskToken::I: return letter(out, 'I', i);
            case MaskToken::J: return letter(out, 'J', j);
            case MaskToken::f:
            case MaskToken::F: *out++ = 'F'; return integerTexts->integer(out, feed);
            case MaskToken::p:
            case MaskToken::P: return integerTexts->integer(out, power.p);
            case MaskToken::pi:
            case MaskToken::Pi: return integerTexts->integer(out, power.pi);
            case MaskToken::p0:
            case MaskToken::P0: return divided(out, power.pf, 10);
            case MaskToken::p00:
            case MaskToken::P00: return divided(out, power.pf, 100);
            case MaskToken::p000:
            case MaskToken::P000: return divided(out, power.pf, 1000);
            case MaskToken::p0000:
            case MaskToken::P0000: return divided(out, power.pf, 10000);
            case MaskToken::pi0:
            case MaskToken::Pi0: return divided(out, pwmMax - power.pf, 10);
            case MaskToken::pi00:
            case MaskToken::Pi00: return divided(out, pwmMax - power.pf, 100);
            case MaskToken::pi000:
            case MaskToken::Pi000: return divided(out, pwmMax - power.pf, 1000);
            case MaskToken::pi0000:
            case MaskToken::Pi0000: return divided(out, pwmMax - power.pf, 10000);
            case MaskToken::E:
                *out++ = '\r';
                *out++ = '\n';
                return out;
            case MaskToken::Count: return out;
        }
        return out;
    }

private:
    HoleValues position() const {
        return HoleValues{.x = x, .y = y, .a = a, .decimals = decimals, .texts = fixedTexts};
    }
    char* letter(char* out, char name, Fixed4 value) const {
        *out++ = name;
        return fixedTexts->fixed(out, value, decimals);
    }
    char* divided(char* out, Fixed4 value, std::int64_t divisor) const {
        return fixedTexts->fixed(out, Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(value.raw, divisor))),
                                 decimals);
    }
};

constexpr FilledTokens kAlwaysFilled = bit(MaskToken::G) | bit(MaskToken::X) | bit(MaskToken::Y) | bit(MaskToken::Z) |
                                       bit(MaskToken::F) | bit(MaskToken::P) | bit(MaskToken::Pi) | bit(MaskToken::P0) |
                                       bit(MaskToken::Pi0) | bit(MaskToken::P00) | bit(MaskToken::Pi00) |
                                       bit(MaskToken::P000) | bit(MaskToken::Pi000) | bit(MaskToken::P0000) |
                                       bit(MaskToken::Pi0000) | bit(MaskToken::A) | bit(MaskToken::E);
constexpr FilledTokens kLowercasePower = bit(MaskToken::p) | bit(MaskToken::pi) | bit(MaskToken::p0) |
                                         bit(MaskToken::pi0) | bit(MaskToken::p00) | bit(MaskToken::pi00) |
                                         bit(MaskToken::p000) | bit(MaskToken::pi000) | bit(MaskToken::p0000) |
                                         bit(MaskToken::pi0000);

// Tokens filled for the pending move against the printed one. Inlined: it runs
// for every printed line.
[[gnu::always_inline]] inline FilledTokens filledTokens(const MoveRecord& pending, const MoveRecord& printed,
                                                        Fixed4 newA) {
    FilledTokens filled = kAlwaysFilled;
    if (magnitude(pending.x.raw - printed.x.raw) >= kMinMove) { filled |= bit(MaskToken::x); }
    if (magnitude(pending.y.raw - printed.y.raw) >= kMinMove) { filled |= bit(MaskToken::y); }
    if (magnitude(pending.z.raw - printed.z.raw) >= kMinMove) { filled |= bit(MaskToken::z); }
    if (pending.feed != printed.feed) { filled |= bit(MaskToken::f); }
    if (pending.level != printed.level) { filled |= kLowercasePower; }
    if (magnitude(newA.raw - printed.a.raw) >= kMinMove) { filled |= bit(MaskToken::a); }
    return filled;
}

// Every value of the pending move's line.
LineValues moveValues(const ProgramWriter& out, const MoveRecord& pending, Fixed4 newA) {
    LineValues values(out.emitter);
    values.decimals = out.numberFormat.decimals;
    values.g = pending.working ? "G1" : "G0";
    values.x = pending.x;
    values.y = pending.y;
    values.z = pending.z;
    values.feed = pending.feed;
    values.a = newA;
    values.power = pwmFor(out, pending.level);
    values.pwmMax = out.settings.pwmMax;
    return values;
}

void prepareMask(const ProgramWriter& out) {
    if (out.emitter.mask.text() != out.settings.maskText) {
        out.emitter.mask = CompiledMask(out.settings.maskText);
        out.emitter.bakedLines.clear();
    }
}

// Prints one line with the mask already prepared for the writer's mask text.
void appendPreparedLine(const ProgramWriter& writer, FilledTokens filled, bool arc, const LineValues& values) {
    ProgramLines& lines = writer.lines;
    CompiledMask& mask = writer.emitter.mask;
    if (!mask.compiled()) {
        lines.append(FillMaskLiterally(mask.text(), filled, arc, values));
        return;
    }
    char* out = lines.beginEntry(mask.maxLineBytes());
    lines.endEntry(mask.render(filled, values, out));
}

// The values a straight move's position and DIR axis leave open in a baked line.
constexpr FilledTokens kBakedHoles = bit(MaskToken::x) | bit(MaskToken::X) | bit(MaskToken::y) | bit(MaskToken::Y) |
                                     bit(MaskToken::a) | bit(MaskToken::A);

// Prints the pending move's line with the mask already prepared. The rest of
// the line is the same for every move at one level, mode, height and feed, so
// it is written once per such combination and kept; only the position and the
// DIR-axis value are written for each line.
void printMove(const ProgramWriter& out, const MoveRecord& pending, const MoveRecord& printed, Fixed4 newA) {
    MoveEmitterState& state = out.emitter;
    const FilledTokens filled = filledTokens(pending, printed, newA);
    CompiledMask& mask = state.mask;
    const int level = pending.level;
    if (mask.compiled() && level >= 0 && level <= 255) {
        const PwmTable& table = currentPwmTable(out);
        if (state.bakedLines.empty()) { state.bakedLines.resize(std::size_t{256} * 2); }
        BakedLines& group = state.bakedLines[static_cast<std::size_t>(level) * 2 + (pending.working ? 1 : 0)];
        const BakedKey key{.filled = filled,
                           .z = pending.z.raw,
                           .feed = pending.feed,
                           .pwmGeneration = table.generation,
                           .decimals = out.numberFormat.decimals,
                           .working = pending.working};
        BakedLines::Way* way = nullptr;
        for (BakedLines::Way& candidate : group.ways) {
            if (candidate.valid && candidate.key == key) {
                way = &candidate;
                break;
            }
        }
        if (way == nullptr) {
            way = &group.ways[group.next];
            group.next = static_cast<std::uint8_t>((group.next + 1) % BakedLines::kWays);
            way->valid = true;
            way->key = key;
            way->fits = mask.bake(filled, moveValues(out, pending, newA), kBakedHoles, way->shape);
        }
        if (way->fits) {
            const HoleValues holes{.x = pending.x,
                                   .y = pending.y,
                                   .a = newA,
                                   .decimals = out.numberFormat.decimals,
                                   .texts = &state.fixedTexts};
            ProgramLines& lines = out.lines;
            char* line = lines.beginEntry(mask.maxLineBytes() + BakedShape::kSlot);
            lines.endEntry(CompiledMask::renderBaked(way->shape, holes, line));
            return;
        }
    }
    appendPreparedLine(out, filled, false, moveValues(out, pending, newA));
}

// The DIR axis runs on only where the mask prints it; otherwise it stays where it is.
bool printsDirAxis(const CompiledMask& mask) {
    return !mask.compiled() || mask.shows(bit(MaskToken::A) | bit(MaskToken::a));
}

// Inlined like the rest of the per-move path: after a call the pending record
// would be read back as a whole, which stalls on the stores that wrote it field by field.
[[gnu::always_inline]] inline void resetStartIfNeeded(const ProgramWriter& out, Fixed4 xn, Fixed4 yn, Fixed4 z,
                                                      int level, int feed) {
    MoveEmitterState& state = out.emitter;
    if (state.pending.stage != RecordStage::Reset || state.printed.stage != RecordStage::Reset) { return; }
    state.pending = MoveRecord{.x = xn,
                               .y = yn,
                               .z = z,
                               .a = Fixed4{},
                               .direction = Fixed4{},
                               .level = level,
                               .feed = feed,
                               .working = false,
                               .sense = 0,
                               .stage = RecordStage::StartMove};
    state.printed = state.pending;
    state.printed.x -= Fixed4::fromInt(1);
    state.printed.y -= Fixed4::fromInt(1);
    state.printed.z -= Fixed4::fromInt(1);
    state.printed.feed -= 1;
}

Fixed4 bearing(MoveEmitterState& state, Fixed4 dx, Fixed4 dy) {
    if (dx.raw == 0) { return Fixed4{}; }
    // Along X (every horizontal raster move) the angle is exactly 90 or 270 degrees.
    if (dy.raw == 0) { return Fixed4::fromRaw(dx.raw > 0 ? kFullTurn / 4 : 3 * kFullTurn / 4); }
    // A step seen recently reuses its bearing.
    auto hash = (static_cast<std::uint64_t>(dx.raw) * 0x9E3779B97F4A7C15ull) ^ static_cast<std::uint64_t>(dy.raw);
    MoveEmitterState::Bearing& known = state.bearings[(hash * 0xBF58476D1CE4E5B9ull) >> 56];
    if (known.known && dx == known.dx && dy == known.dy) { return known.degrees; }
    double degrees = std::atan2(static_cast<double>(dx.raw), static_cast<double>(dy.raw)) * (180.0 / std::numbers::pi);
    std::int64_t raw = roundEven(degrees * Fixed4::kScale);
    if (raw < 0) { raw += kFullTurn; }
    while (raw >= kFullTurn) { raw -= kFullTurn; }
    known = MoveEmitterState::Bearing{dx, dy, Fixed4::fromRaw(raw), true};
    return known.degrees;
}

// The one merge rule: a move continues the pending one when it runs the same
// way at the same feed, level and mode. Straight up and straight down share the
// direction 0, so their senses must not oppose: a reversal prints its turning point.
bool continuesPending(const MoveRecord& pending, Fixed4 direction, std::int8_t sense, int level, int feed,
                      bool working) {
    return pending.stage == RecordStage::Moving && magnitude(pending.direction.raw - direction.raw) < kMinMove &&
           pending.feed == feed && pending.level == level && pending.working == working && sense * pending.sense >= 0;
}

// Distance from one record to the other; axis-parallel moves (every raster
// move) are worked out here without the general function's root.
Fixed4 travelBetween(const MoveRecord& from, const MoveRecord& to) {
    std::int64_t dx = 0, dy = 0;
    if (!__builtin_sub_overflow(to.x.raw, from.x.raw, &dx) && !__builtin_sub_overflow(to.y.raw, from.y.raw, &dy) &&
        dx != INT64_MIN && dy != INT64_MIN) {
        if (dy == 0) { return Fixed4::fromRaw(magnitude(dx)); }
        if (dx == 0) { return Fixed4::fromRaw(magnitude(dy)); }
    }
    return Distance(from.x, from.y, to.x, to.y);
}

// A + travel x step, rounded once as a whole.
Fixed4 advanceAxis(Fixed4 a, Int128 travelTimesStep, Int128 denominator) {
    return Fixed4::fromRaw(
        static_cast<std::int64_t>(divRoundEven(Int128(a.raw) * denominator + travelTimesStep, denominator)));
}

// The same for a travel already in units x 10000; the constant divisor keeps it cheap.
Fixed4 advanceAxisByScale(Fixed4 a, Int128 travelTimesStep) {
    Int128 n = Int128(a.raw) * Fixed4::kScale + travelTimesStep;
    if (n > INT64_MAX || n < -INT64_MAX) { return advanceAxis(a, travelTimesStep, Fixed4::kScale); }
    auto small = static_cast<std::int64_t>(n);
    std::int64_t q = small / Fixed4::kScale;
    std::int64_t r = small % Fixed4::kScale;
    std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > Fixed4::kScale || (twice == Fixed4::kScale && q % 2 != 0)) { q += small < 0 ? -1 : 1; }
    return Fixed4::fromRaw(q);
}

void linearMove(const ProgramWriter& out, Fixed4& a, Motion motion, int level, Fixed4 x, Fixed4 y, Fixed4 z, int feed,
                bool mayMerge) {
    MoveEmitterState& state = out.emitter;
    Fixed4 xn = x + out.origin.x;
    Fixed4 yn = y + out.origin.y;
    bool working = motion == Motion::Work;
    resetStartIfNeeded(out, xn, yn, z, level, feed);
    MoveRecord& pending = state.pending;
    MoveRecord& printed = state.printed;

    Fixed4 dx = xn - pending.x;
    Fixed4 dy = yn - pending.y;
    Fixed4 direction = bearing(state, dx, dy);
    // A move of no sense of its own keeps the sense of the one it merges into.
    std::int8_t sense = 0;
    if (dx.raw == 0) { sense = dy.raw > 0 ? std::int8_t{1} : dy.raw < 0 ? std::int8_t{-1} : std::int8_t{0}; }
    const bool continues = mayMerge && continuesPending(pending, direction, sense, level, feed, working);
    if (continues && sense == 0) { sense = pending.sense; }
    if (!continues) {
        if (!out.steady) { prepareMask(out); }
        const CompiledMask& mask = out.emitter.mask;
        Fixed4 newA = a;
        if (printsDirAxis(mask)) {
            Fixed4 travel = travelBetween(printed, pending);
            Int128 delta = Int128(travel.raw) * out.settings.dirAxisStep.raw;
            newA = advanceAxisByScale(a, pending.working ? delta : -delta);
        }
        bool moved = magnitude(pending.x.raw - printed.x.raw) >= kMinMove ||
                     magnitude(pending.y.raw - printed.y.raw) >= kMinMove;
        if (moved && pending.stage != RecordStage::ArcEnd) {
            printMove(out, pending, printed, newA);
            printed = pending;
            printed.a = newA;
            a = newA;
        }
    }
    // Field by field: building a temporary record and copying it stalls on store forwarding.
    pending.x = xn;
    pending.y = yn;
    pending.z = z;
    pending.a = a;
    pending.direction = direction;
    pending.level = level;
    pending.feed = feed;
    pending.working = working;
    pending.sense = sense;
    pending.stage = RecordStage::Moving;
    // The move just held back is printed at the next call unless that one continues it.
    // A coordinate it keeps was fetched with the move before (a raster row keeps its Y).
    if (dx.raw != 0) { state.fixedTexts.prefetch(xn.raw); }
    if (dy.raw != 0) { state.fixedTexts.prefetch(yn.raw); }
}

}  // namespace

Fixed4 Distance(Fixed4 x1, Fixed4 y1, Fixed4 x2, Fixed4 y2) {
    Int128 dx = Int128(x2.raw) - x1.raw;
    Int128 dy = Int128(y2.raw) - y1.raw;
    // Raster and hatch moves run along an axis: the root of a square needs no root.
    if ((dx == 0 || dy == 0) && dx + dy <= INT64_MAX && dx + dy >= -INT64_MAX) {
        Int128 along = dx + dy;
        return Fixed4::fromRaw(static_cast<std::int64_t>(along < 0 ? -along : along));
    }
    return Fixed4::fromRaw(sqrtRound(static_cast<unsigned __int128>(dx * dx + dy * dy)));
}

std::string FormatValue(const NumberFormat& format, Fixed4 value) { return formatFixed(value, format.decimals); }

ProgramWriter SteadyWriter(const ProgramWriter& out) {
    prepareMask(out);
    ProgramWriter steady = out;
    steady.steady = true;
    return steady;
}

void ExpectGridPositions(const ProgramWriter& out, Axis axis, Fixed4 step, int count) {
    out.emitter.fixedTexts.expectGrid(axis == Axis::X ? out.origin.x : out.origin.y, step, count);
}

EmitterPlace PlaceOf(const ProgramWriter& out, Fixed4 a) {
    return EmitterPlace{.pending = out.emitter.pending, .printed = out.emitter.printed, .a = a};
}

void RestorePlace(const ProgramWriter& out, Fixed4& a, const EmitterPlace& place) {
    out.emitter.pending = place.pending;
    out.emitter.printed = place.printed;
    a = place.a;
}

bool PrintsDirAxis(const ProgramWriter& out) {
    prepareMask(out);
    return printsDirAxis(out.emitter.mask);
}

void ResetEmitter(const ProgramWriter& out) {
    out.emitter.pending.stage = RecordStage::Reset;
    out.emitter.printed.stage = RecordStage::Reset;
}

void detail::EmitLinearMove(const ProgramWriter& out, Fixed4& a, Motion motion, int level, Fixed4 x, Fixed4 y, Fixed4 z,
                            int feed) {
    linearMove(out, a, motion, level, x, y, z, feed, true);
}

void ArcMove(const ProgramWriter& out, Fixed4& a, const Arc& arc) {
    MoveEmitterState& state = out.emitter;
    Fixed4 xn = arc.to.x + out.origin.x;
    Fixed4 yn = arc.to.y + out.origin.y;
    resetStartIfNeeded(out, xn, yn, arc.to.z, arc.level, arc.feed);
    // Bring the machine to the arc's start. This move must not merge with the
    // chord of the arc: a line leading into an arc whose chord runs the same way
    // would otherwise lose its end point, and the arc would start from the wrong place.
    linearMove(out, a, Motion::Work, arc.level, arc.to.x, arc.to.y, arc.to.z, arc.feed, false);
    MoveRecord& pending = state.pending;
    MoveRecord& printed = state.printed;
    pending.stage = RecordStage::ArcEnd;

    if (!out.steady) { prepareMask(out); }
    Fixed4 newA = a;
    if (printsDirAxis(state.mask)) {
        std::int64_t s = magnitude(arc.angle2.raw - arc.angle1.raw);
        std::int64_t sweep = arc.turn == ArcTurn::CounterclockwiseSweep ? s : kFullTurn - s;
        // sweep x 6.28 x radius / 360 x step, all in units of 1/10000
        Int128 numerator = Int128(sweep) * 628 * arc.radius.raw * out.settings.dirAxisStep.raw;
        Int128 denominator = Int128(100) * 360 * Fixed4::kScale * Fixed4::kScale;
        newA = advanceAxis(a, numerator, denominator);
    }

    if (magnitude(xn.raw - printed.x.raw) < kMinMove && magnitude(yn.raw - printed.y.raw) < kMinMove) { return; }
    LineValues values = moveValues(out, pending, newA);
    values.g = arc.turn == ArcTurn::Clockwise ? "G2" : "G3";
    values.i = arc.i;
    values.j = arc.j;
    appendPreparedLine(out, filledTokens(pending, printed, newA) | bit(MaskToken::I) | bit(MaskToken::J), true, values);
    printed = pending;
    printed.a = newA;
    a = newA;
}

}  // namespace bw
