#pragma once
// Keeping numeric window fields convertible: the per-keystroke filter, the
// normalisation before saving, and the "is a non-zero number" check. Every
// function takes the system's decimal separator explicitly.

#include <string>
#include <string_view>

namespace bw {

// Tag bits of a numeric field: what characters it accepts.
namespace NumericTag {
inline constexpr int Digits = 1;
inline constexpr int Minus = 2;
inline constexpr int Separator = 4;
}  // namespace NumericTag

struct FilteredInput {
    std::string text;  // ASCII: only accepted characters survive
    int caret = 0;     // caret position in characters, moved back for each removal before it
};

// `text` is UTF-8; `caret` counts characters (code points) before the caret.
FilteredInput FilterNumericInput(std::string_view text, int caret, int tag, char decimalSeparator);

// One field's normalisation: empty becomes "0", spaces go, and points and commas
// become the system's separator.
std::string NormalizeNumericField(std::string_view text, char decimalSeparator);

// Non-empty, reads as a window number in the system's notation, and not zero.
bool IsNonZeroNumber(std::string_view text, char decimalSeparator);

}  // namespace bw
