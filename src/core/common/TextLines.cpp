#include "common/TextLines.h"

namespace bw {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    if (text.empty()) { return lines; }
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') { continue; }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') { ++i; }
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) { text += "\r\n"; }
        text += lines[i];
    }
    return text;
}

std::string FieldTextFromFile(std::string_view fileText) {
    if (fileText.ends_with("\r\n")) {
        fileText.remove_suffix(2);
    } else if (fileText.ends_with('\n') || fileText.ends_with('\r')) {
        fileText.remove_suffix(1);
    }
    return JoinLines(SplitLines(fileText));
}

}  // namespace bw
