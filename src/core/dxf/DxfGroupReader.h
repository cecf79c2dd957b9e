#pragma once
// A DXF file as the format defines it: a sequence of group code / value pairs,
// each on two lines, codes and values with surrounding blanks removed. The
// reader walks the text once, by line, without copying it.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace bw {

struct DxfGroup {
    int code = 0;            // group code
    std::string_view value;  // value text, trimmed; a view into the file's text
    std::uint32_t line = 0;  // 1-based line number of the value
};

class DxfGroupReader {
public:
    explicit DxfGroupReader(std::string_view text) : text_(text) {}

    // Reads the next pair into `group`; false at the end of the text or on an
    // error (then error() names the line of a code that is not a whole number
    // or that has no value line after it).
    inline bool next(DxfGroup& group);
    const std::string& error() const { return error_; }

private:
    inline bool nextLine(std::string_view& line);
    bool fail(std::string message);
    bool slowNext(DxfGroup& group, std::string_view codeText);

    std::string_view text_;
    std::size_t offset_ = 0;
    std::uint32_t lineNumber_ = 0;  // lines consumed so far
    std::string error_;
};

// Trims blanks (space, tab) at both ends.
inline std::string_view TrimDxfText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) { ++begin; }
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) { --end; }
    return text.substr(begin, end - begin);
}

// The value as a floating-point number: the C form ("1.5", "-2e3"), or failing
// that the form the line scanner accepts ("1 234,5"); nullopt otherwise.
// Entity, section and table names match without regard to ASCII case; `upper`
// is the name in capitals.
inline bool IsDxfName(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) { return false; }
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') { c = static_cast<char>(c - 'a' + 'A'); }
        if (c != upper[i]) { return false; }
    }
    return true;
}

std::optional<double> DxfDouble(std::string_view value);

// "line 12: " for error messages.
std::string DxfLineLabel(std::uint32_t line);

// The value quoted as error messages show it, cut short when long.
std::string DxfQuoted(std::string_view value);

// The group code of a three-character code line as drawing programs write
// them, right-aligned digits ("  0", " 10", "330"); false for any other form.
inline bool ShortDxfCode(char a, char b, char c, int& code) {
    auto digit = [](char x) { return x >= '0' && x <= '9'; };
    if (!digit(c) || !(b == ' ' || digit(b)) || !(a == ' ' || (digit(a) && digit(b)))) { return false; }
    code = (digit(a) ? (a - '0') * 100 : 0) + (digit(b) ? (b - '0') * 10 : 0) + (c - '0');
    return true;
}

// The group code of a trimmed code line of any form: an optional minus and
// digits, nine characters at most; false when it is no group code.
bool ParseDxfCode(std::string_view trimmed, int& code);

// Where the line starting at `from` ends: the first CR or LF, or `size`.
// Reading runs over millions of short lines; this and the two below stay inline.
inline std::size_t FindDxfLineEnd(const char* data, std::size_t from, std::size_t size) {
    std::size_t end = from;
    // Eight bytes at a time: the lowest byte that is LF or CR ends the line.
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    while (end + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + end, 8);
        const std::uint64_t lf = word ^ (kOnes * '\n');
        const std::uint64_t cr = word ^ (kOnes * '\r');
        const std::uint64_t hits = ((lf - kOnes) & ~lf & kHigh) | ((cr - kOnes) & ~cr & kHigh);
        if (hits != 0) { return end + static_cast<std::size_t>(__builtin_ctzll(hits)) / 8; }
        end += 8;
    }
    while (end < size && data[end] != '\n' && data[end] != '\r') { ++end; }
    return end;
}

bool DxfGroupReader::nextLine(std::string_view& line) {
    const std::size_t size = text_.size();
    if (offset_ >= size) { return false; }
    // A line ends at CR, LF or CR LF.
    const char* data = text_.data();
    std::size_t end = FindDxfLineEnd(data, offset_, size);
    line = std::string_view(data + offset_, end - offset_);
    if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') { ++end; }
    offset_ = end + 1;
    ++lineNumber_;
    return true;
}

bool DxfGroupReader::next(DxfGroup& group) {
    // Most code lines are three characters, right-aligned digits: "  0", " 10", "330".
    const char* d = text_.data();
    const std::size_t o = offset_;
    if (o + 4 < text_.size()) {
        const char e = d[o + 3];
        const bool ends = e == '\n' || (e == '\r' && d[o + 4] == '\n');
        if (ends && ShortDxfCode(d[o], d[o + 1], d[o + 2], group.code)) {
            offset_ = o + (e == '\n' ? 4 : 5);
            ++lineNumber_;
            std::string_view valueLine;
            if (!nextLine(valueLine)) {
                return fail(DxfLineLabel(lineNumber_ + 1) + "value missing at the end of the file");
            }
            group.value = TrimDxfText(valueLine);
            group.line = lineNumber_;
            return true;
        }
    }
    std::string_view codeLine;
    if (!nextLine(codeLine)) { return false; }
    std::string_view codeText = TrimDxfText(codeLine);
    int code = 0;
    std::size_t i = 0;
    for (; i < codeText.size() && i < 3 && codeText[i] >= '0' && codeText[i] <= '9'; ++i) {
        code = code * 10 + (codeText[i] - '0');
    }
    if (i == 0 || i != codeText.size()) { return slowNext(group, codeText); }
    std::string_view valueLine;
    if (!nextLine(valueLine)) { return fail(DxfLineLabel(lineNumber_ + 1) + "value missing at the end of the file"); }
    group.code = code;
    group.value = TrimDxfText(valueLine);
    group.line = lineNumber_;
    return true;
}

}  // namespace bw
