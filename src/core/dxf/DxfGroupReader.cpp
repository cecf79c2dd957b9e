#include "dxf/DxfGroupReader.h"

#include <charconv>

#include "dxf/DxfLineScan.h"

namespace bw {

std::string_view TrimDxfText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::optional<double> DxfDouble(std::string_view value) {
    double number = 0;
    const char* first = value.data();
    const char* last = first + value.size();
    if (first != last && *first == '+') {
        ++first;
    }
    auto [end, error] = std::from_chars(first, last, number);
    if (error == std::errc() && end == last) {
        return number;
    }
    if (std::optional<Fixed4> fixed = ParseDxfNumber(value)) {
        return fixed->toDouble();
    }
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
    if (value.size() > kShown) {
        out.append("...");
    }
    out.push_back('\'');
    return out;
}

std::optional<std::string_view> DxfGroupReader::nextLine() {
    if (offset_ >= text_.size()) {
        return std::nullopt;
    }
    std::size_t end = offset_;
    const char* data = text_.data();
    const std::size_t size = text_.size();
    while (end < size && data[end] != '\r' && data[end] != '\n') {
        ++end;
    }
    std::string_view line(data + offset_, end - offset_);
    if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') {
        ++end;
    }
    offset_ = end + 1;
    ++lineNumber_;
    return line;
}

Result<std::optional<DxfGroup>> DxfGroupReader::next() {
    std::optional<std::string_view> codeLine = nextLine();
    // Blank lines after the last pair (a final line break, padding) end the file quietly.
    while (codeLine && TrimDxfText(*codeLine).empty()) {
        std::uint32_t blankLine = lineNumber_;
        codeLine = nextLine();
        if (codeLine && !TrimDxfText(*codeLine).empty()) {
            return Error{DxfLineLabel(blankLine) + "a group code is missing"};
        }
    }
    if (!codeLine) {
        return std::optional<DxfGroup>{};
    }
    std::string_view codeText = TrimDxfText(*codeLine);
    int code = 0;
    auto [end, error] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (error != std::errc() || end != codeText.data() + codeText.size()) {
        return Error{DxfLineLabel(lineNumber_) + DxfQuoted(codeText) + " is not a group code"};
    }
    std::uint32_t codeLineNumber = lineNumber_;
    std::optional<std::string_view> valueLine = nextLine();
    if (!valueLine) {
        return Error{DxfLineLabel(codeLineNumber + 1) + "value missing at the end of the file"};
    }
    return std::optional<DxfGroup>{DxfGroup{code, TrimDxfText(*valueLine), lineNumber_}};
}

}  // namespace bw
