#pragma once
// Multi-line field texts (program header and footer) as lists of lines. A field
// text is its lines joined by CR LF: "" holds no line, "A\r\n" holds "A" and an
// empty line, so trailing empty lines survive a round trip.

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Splits at CR LF, LF or a lone CR.
std::vector<std::string_view> SplitLines(std::string_view text);

// The lines joined by CR LF, without a line end after the last one.
std::string JoinLines(const std::vector<std::string_view>& lines);

// Text of a file whose last line may end in a line break (files end their last
// line; fields do not): "A\nB\n" and "A\r\nB" both give "A\r\nB".
std::string FieldTextFromFile(std::string_view fileText);

}  // namespace bw
