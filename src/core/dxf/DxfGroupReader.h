#pragma once
// A DXF file as the format defines it: a sequence of group code / value pairs,
// each on two lines, codes and values with surrounding blanks removed. The
// reader walks the text once, by line, without copying it.

#include <cstdint>
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

    // The next pair, nullopt at the end of the text; an error names the line of
    // a code that is not a whole number or that has no value line after it.
    Result<std::optional<DxfGroup>> next();

   private:
    std::optional<std::string_view> nextLine();

    std::string_view text_;
    std::size_t offset_ = 0;
    std::uint32_t lineNumber_ = 0;  // lines consumed so far
};

// Trims blanks (space, tab) at both ends.
std::string_view TrimDxfText(std::string_view text);

// The value as a floating-point number: the C form ("1.5", "-2e3"), or failing
// that the form the line scanner accepts ("1 234,5"); nullopt otherwise.
std::optional<double> DxfDouble(std::string_view value);

// "line 12: " for error messages.
std::string DxfLineLabel(std::uint32_t line);

// The value quoted as error messages show it, cut short when long.
std::string DxfQuoted(std::string_view value);

}  // namespace bw
