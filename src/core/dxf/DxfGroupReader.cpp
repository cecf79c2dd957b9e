#include "dxf/DxfGroupReader.h"

#include <charconv>
#include <cstring>

#include "dxf/DxfLineScan.h"

namespace bw {

std::optional<double> DxfDouble(std::string_view value) {
    double number = 0;
    const char* first = value.data();
    const char* last = first + value.size();
    if (first != last && *first == '+') { ++first; }
    auto [end, error] = std::from_chars(first, last, number);
    if (error == std::errc() && end == last) { return number; }
    if (std::optional<Fixed4> fixed = ParseDxfNumber(value)) { return fixed->toDouble(); }
    return std::nullopt;
}

std::string DxfLineLabel(std::uint32_t line) {
    std::string label = "line ";
    appendInteger(label, line);
    return label + ": ";
}

std::string DxfQuoted(std::string_view value) {
    constexpr std::size_t kShown = 40;
    std::string out(1, '\'');
    out.append(value.substr(0, kShown));
    if (value.size() > kShown) { out.append("..."); }
    out.push_back('\'');
    return out;
}

bool ParseDxfCode(std::string_view trimmed, int& code) {
    const bool negative = !trimmed.empty() && trimmed[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (trimmed.size() > 9 || first >= trimmed.size()) { return false; }
    int value = 0;
    for (std::size_t i = first; i < trimmed.size(); ++i) {
        if (trimmed[i] < '0' || trimmed[i] > '9') { return false; }
        value = value * 10 + (trimmed[i] - '0');
    }
    code = negative ? -value : value;
    return true;
}

bool DxfGroupReader::fail(std::string message) {
    error_ = std::move(message);
    return false;
}

// Blank code lines, long or signed codes, and errors.
bool DxfGroupReader::slowNext(DxfGroup& group, std::string_view codeText) {
    // Blank lines after the last pair (a final line break, padding) end the file quietly.
    while (codeText.empty()) {
        std::uint32_t blankLine = lineNumber_;
        std::string_view codeLine;
        if (!nextLine(codeLine)) { return false; }
        codeText = TrimDxfText(codeLine);
        if (!codeText.empty()) { return fail(DxfLineLabel(blankLine) + "a group code is missing"); }
    }
    int code = 0;
    if (!ParseDxfCode(codeText, code)) {
        return fail(DxfLineLabel(lineNumber_) + DxfQuoted(codeText) + " is not a group code");
    }
    std::string_view valueLine;
    if (!nextLine(valueLine)) { return fail(DxfLineLabel(lineNumber_ + 1) + "value missing at the end of the file"); }
    group.code = code;
    group.value = TrimDxfText(valueLine);
    group.line = lineNumber_;
    return true;
}

}  // namespace bw
