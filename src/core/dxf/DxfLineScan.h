#pragma once
// The reader's line-level rules. A DXF file is read as a list of text lines and
// every value is found by searching for its group-code line; these are those
// searches in their plain form. The reader itself (DxfReader) gets the same
// answers from per-text occurrence lists, so that a large file is read in one
// pass; tests hold the two against each other.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Fixed4.h"

namespace bw {

// Splits at CR, LF and CR LF; a final line break does not start another line.
std::vector<std::string_view> SplitDxfLines(std::string_view text);

// The first index >= start whose line equals `text` ignoring ASCII letter case
// (no trimming: spaces count); -1 when there is none.
std::int64_t FindLine(std::string_view text, std::int64_t start, const std::vector<std::string_view>& lines);

// The next CIRCLE (1), LINE (2), ARC (3) or SPLINE (4) line at or after `index`,
// which is set to that line; -1 (and index -1) when none follows.
int NextEntity(const std::vector<std::string_view>& lines, std::int64_t& index);

// A DXF value as the window reads numbers: spaces removed, points and commas both
// taken as the system's decimal separator, four decimals kept (halves to even).
std::optional<Fixed4> ToSystemNumber(std::string_view text, char decimalSeparator);

// The same answer as ToSystemNumber for any separator, without building a string.
std::optional<Fixed4> ParseDxfNumber(std::string_view text);

// Values beyond this size (in mm, degrees, or as a count) are refused as damaged
// input: they keep every later sum and product inside 64-bit integers.
inline constexpr std::int64_t kDxfValueLimitRaw = std::int64_t(1000000000) * Fixed4::kScale;
// Arc angles beyond ten turns are refused: an arc is sampled degree by degree.
inline constexpr std::int64_t kDxfAngleLimitRaw = std::int64_t(3600) * Fixed4::kScale;

}  // namespace bw
