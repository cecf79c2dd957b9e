#include "job/NumericInput.h"

#include "common/Fixed4.h"

#include <vector>

namespace bw {

namespace {

// Splits UTF-8 into code points kept as byte strings, so a caret counted in
// characters stays right even when the user pasted non-ASCII text.
std::vector<std::string_view> codePoints(std::string_view text) {
    std::vector<std::string_view> points;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 1;
        if (i + length > text.size()) { length = text.size() - i; }
        points.push_back(text.substr(i, length));
        i += length;
    }
    return points;
}

}  // namespace

FilteredInput FilterNumericInput(std::string_view text, int caret, int tag, char decimalSeparator) {
    auto accepted = [&](std::string_view c) {
        if (c.size() != 1) { return false; }
        char ch = c[0];
        return ((tag & NumericTag::Digits) && ch >= '0' && ch <= '9') || ((tag & NumericTag::Minus) && ch == '-') ||
               ((tag & NumericTag::Separator) && (ch == '.' || ch == ','));
    };
    std::string kept;
    int index = 0;
    for (std::string_view c : codePoints(text)) {
        if (accepted(c)) {
            // A decimal field takes either separator and shows the system's: "2,5" typed on a point
            // system is 2.5, not 25.
            kept.push_back(c[0] == '.' || c[0] == ',' ? decimalSeparator : c[0]);
            ++index;
        } else if (index < caret) {
            --caret;
        }
    }
    // Second walk: one separator, not in front; a minus only in front.
    std::string result;
    bool separatorKept = false;
    int position = 0;
    for (char ch : kept) {
        bool remove = false;
        if (ch == ',' || ch == '.') {
            remove = position == 0 || separatorKept;
            if (!remove) { separatorKept = true; }
        } else if (ch == '-') {
            remove = position != 0;
        }
        if (remove) {
            if (position < caret) { --caret; }
        } else {
            result.push_back(ch);
            ++position;
        }
    }
    if (caret < 0) { caret = 0; }
    return {result, caret};
}

std::string NormalizeNumericField(std::string_view text, char decimalSeparator) {
    std::string result;
    for (char ch : text) {
        if (ch == ' ') { continue; }
        if (decimalSeparator != '.' && ch == '.') { ch = ','; }
        if (decimalSeparator == '.' && ch == ',') { ch = '.'; }
        result.push_back(ch);
    }
    if (result.empty()) { result.assign(1, '0'); }  // a field of blanks also gets a value
    return result;
}

bool IsNonZeroNumber(std::string_view text, char decimalSeparator) {
    auto value = parseDecimal(text, decimalSeparator);
    return value && value->raw != 0;
}

}  // namespace bw
