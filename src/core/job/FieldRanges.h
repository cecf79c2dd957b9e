#pragma once
// The accepted range of every field that several pages or sub-commands share,
// in one table, so that the same value is refused everywhere or nowhere. The
// limits keep coordinates far inside 64 bits and refuse values that could only
// give an empty or meaningless program (a zero pixel size, a negative material
// thickness).

#include <cstdint>
#include <string>
#include <string_view>

#include "common/Fixed4.h"
#include "common/Result.h"

namespace bw {

struct FieldRange {
    std::string_view field;  // the field's caption in messages
    Fixed4 low;
    Fixed4 high;
    bool lowExcluded = false;  // "above low" instead of "from low"
    bool whole = false;        // only whole numbers
};

namespace FieldRanges {
inline constexpr FieldRange StartPoint{"Start point", Fixed4::fromInt(1), Fixed4::fromInt(9), false, true};
inline constexpr FieldRange Decimals{"Decimal places", Fixed4::fromInt(0), Fixed4::fromInt(20), false, true};
inline constexpr FieldRange DirAxisStep{"DIR-axis step", Fixed4::fromInt(-1000), Fixed4::fromInt(1000)};
inline constexpr FieldRange PwmMax{"Maximum PWM value", Fixed4::fromInt(0), Fixed4::fromInt(1'000'000'000), true};
inline constexpr FieldRange Dpi{"DPI", Fixed4::fromInt(1), Fixed4::fromInt(1'000'000), false, true};
inline constexpr FieldRange BeamDiameter{"Beam spot diameter", Fixed4::fromInt(0), Fixed4::fromInt(1000), true};
inline constexpr FieldRange PixelSize{"Pixel size", Fixed4::fromInt(0), Fixed4::fromInt(1000), true};
inline constexpr FieldRange Thickness{"Material thickness", Fixed4::fromInt(0), Fixed4::fromInt(1'000'000)};
inline constexpr FieldRange SegmentLength{"Segment length", Fixed4::fromInt(0), Fixed4::fromInt(1'000'000), true};
}  // namespace FieldRanges

// What a value outside the range is told: "is outside 1..9", "must be above 0
// and at most 1000".
std::string OutsideRange(const FieldRange& range, char decimalSeparator);

// Success when `value` lies in the range (and is whole where required); else
// an error naming the field: "Start point: 10 is outside 1..9".
Status CheckRange(const FieldRange& range, Fixed4 value, char decimalSeparator);

}  // namespace bw
