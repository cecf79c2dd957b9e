#include "dxf/DxfLineScan.h"

namespace bw {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) { return false; }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) { return false; }
    }
    return true;
}

}  // namespace

std::vector<std::string_view> SplitDxfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(begin, i - begin));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') { ++i; }
            begin = ++i;
        } else {
            ++i;
        }
    }
    if (begin < text.size()) { lines.push_back(text.substr(begin)); }
    return lines;
}

std::int64_t FindLine(std::string_view text, std::int64_t start, const std::vector<std::string_view>& lines) {
    if (start < 0) { start = 0; }
    for (std::size_t i = static_cast<std::size_t>(start); i < lines.size(); ++i) {
        if (equalsIgnoringCase(lines[i], text)) { return static_cast<std::int64_t>(i); }
    }
    return -1;
}

int NextEntity(const std::vector<std::string_view>& lines, std::int64_t& index) {
    static constexpr std::string_view kNames[4] = {"CIRCLE", "LINE", "ARC", "SPLINE"};
    std::int64_t best = -1;
    int kind = -1;
    for (int k = 0; k < 4; ++k) {
        std::int64_t found = FindLine(kNames[k], index, lines);
        if (found >= 0 && (best < 0 || found < best)) {
            best = found;
            kind = k + 1;
        }
    }
    index = best;
    return kind;
}

std::optional<Fixed4> ToSystemNumber(std::string_view text, char decimalSeparator) {
    std::string converted;
    converted.reserve(text.size());
    for (char c : text) {
        if (c == ' ') { continue; }
        if (decimalSeparator != '.' && c == '.') {
            converted.push_back(decimalSeparator);
        } else if (decimalSeparator == '.' && c == ',') {
            converted.push_back('.');
        } else {
            converted.push_back(c);
        }
    }
    return parseDecimal(converted, decimalSeparator);
}

std::optional<Fixed4> ParseDxfNumber(std::string_view text) {
    bool plain = true;
    for (char c : text) {
        if (c == ' ' || c == ',') {
            plain = false;
            break;
        }
    }
    return plain ? parseDecimal(text, '.') : ToSystemNumber(text, '.');
}

}  // namespace bw
