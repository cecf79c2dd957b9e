#include "GCodeWords.h"

#include <charconv>
#include <cmath>

namespace bw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string_view SplitGCodeLine(std::string_view line, std::vector<GCodeWord>& words) {
    words.clear();
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && isBlank(line[i])) { ++i; }
    if (i < n && (line[i] == '$' || line[i] == '%')) { return {}; }
    while (i < n) {
        char c = line[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == ';') { return {}; }
        if (c == '(') {
            std::size_t close = line.find(')', i);
            if (close == std::string_view::npos) { return "comment not closed"; }
            i = close + 1;
            continue;
        }
        if (c >= 'a' && c <= 'z') { c = static_cast<char>(c - 'a' + 'A'); }
        if (c < 'A' || c > 'Z') { return "unexpected character"; }
        ++i;
        while (i < n && isBlank(line[i])) { ++i; }
        // [+-] digits [. digits]: no exponents, "inf" or "nan", as controllers read them.
        std::size_t start = i;
        bool negative = false;
        if (i < n && (line[i] == '+' || line[i] == '-')) {
            negative = line[i] == '-';
            ++i;
        }
        std::size_t digitsStart = i;
        std::size_t digits = 0;
        while (i < n && isDigit(line[i])) {
            ++i;
            ++digits;
        }
        if (i < n && line[i] == '.') {
            ++i;
            while (i < n && isDigit(line[i])) {
                ++i;
                ++digits;
            }
        }
        if (digits == 0) {
            i = start;
            return "word without a number";
        }
        double value = 0;
        auto [end, error] =
            std::from_chars(line.data() + digitsStart, line.data() + i, value, std::chars_format::fixed);
        if (error != std::errc() || end != line.data() + i || !std::isfinite(value)) { return "number out of range"; }
        words.push_back({c, negative ? -value : value});
    }
    return {};
}

}  // namespace bw
