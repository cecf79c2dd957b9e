#include "gcode/CleanLine.h"

namespace bw {

namespace {

void replaceAll(std::string& line, std::string_view token, std::string_view value) {
    for (std::size_t at = line.find(token); at != std::string::npos; at = line.find(token, at + value.size())) {
        line.replace(at, token.size(), value);
    }
}

}  // namespace

std::string CleanLine(std::string line) {
    replaceAll(line, "[E]", "\r\n");

    // A "(prefix)" directly before an unfilled token goes with it. Only the first
    // ")[" is looked at each time; when it has no "(" before it or no "]" after
    // it, the groups are done.
    for (;;) {
        std::size_t joint = line.find(")[");
        if (joint == std::string::npos) { break; }
        std::size_t open = joint == 0 ? std::string::npos : line.rfind('(', joint - 1);
        std::size_t close = line.find(']', joint + 2);
        if (open == std::string::npos || close == std::string::npos) { break; }
        line.erase(open, close - open + 1);
    }

    std::erase_if(line, [](char c) { return c == '(' || c == ')'; });

    // Unfilled tokens: while the first "]" stands after the first "[", cut that
    // bracket pair with its contents. A stray "]" in front stops this (no hang).
    for (;;) {
        std::size_t open = line.find('[');
        if (open == std::string::npos) { break; }
        std::size_t close = line.find(']');
        if (close == std::string::npos || close < open) { break; }
        line.erase(open, close - open + 1);
    }

    std::string collapsed;
    collapsed.reserve(line.size());
    for (char c : line) {
        if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ') { continue; }
        collapsed.push_back(c);
    }
    return collapsed;
}

}  // namespace bw
