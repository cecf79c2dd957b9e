#pragma once
// Splits one G-code line into its words ("G1", "X10.5", "S127"). Spaces are
// ignored, letters are upper-cased, comments in ";" and "( )" are dropped and
// "$" lines (controller settings) and "%" lines hold no words.

#include <string_view>
#include <vector>

namespace bw {

struct GCodeWord {
    char letter = 0;   // 'A' to 'Z'
    double value = 0;  // always finite
};

// Fills `words` (cleared first; its storage is reused from line to line, so a
// long program costs no allocation per line). Returns an empty view, or a short
// description of the first malformed part; the words before it are kept.
std::string_view SplitGCodeLine(std::string_view line, std::vector<GCodeWord>& words);

}  // namespace bw
