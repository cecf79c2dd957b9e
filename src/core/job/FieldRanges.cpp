#include "job/FieldRanges.h"

namespace bw {

std::string OutsideRange(const FieldRange& range, char decimalSeparator) {
    std::string low = formatShortest(range.low, decimalSeparator);
    std::string high = formatShortest(range.high, decimalSeparator);
    return range.lowExcluded ? "must be above " + low + " and at most " + high : "is outside " + low + ".." + high;
}

Status CheckRange(const FieldRange& range, Fixed4 value, char decimalSeparator) {
    const bool inside = (range.lowExcluded ? value > range.low : value >= range.low) && value <= range.high;
    if (!inside) {
        return Error{std::string(range.field) + ": " + formatShortest(value, decimalSeparator) + " " +
                     OutsideRange(range, decimalSeparator)};
    }
    if (range.whole && value.raw % Fixed4::kScale != 0) {
        return Error{std::string(range.field) + ": " + formatShortest(value, decimalSeparator) +
                     " is not a whole number"};
    }
    return success();
}

}  // namespace bw
