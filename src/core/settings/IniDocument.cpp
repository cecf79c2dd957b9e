#include "settings/IniDocument.h"

#include "common/TextLines.h"

namespace bw {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) { s.remove_prefix(1); }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) { s.remove_suffix(1); }
    return s;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') { c = static_cast<char>(c - 'A' + 'a'); }
    }
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) { return false; }
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') { x = static_cast<char>(x - 'A' + 'a'); }
        if (y >= 'A' && y <= 'Z') { y = static_cast<char>(y - 'A' + 'a'); }
        if (x != y) { return false; }
    }
    return true;
}

// The name of a "[Section]" line, or nullopt.
std::optional<std::string_view> sectionName(std::string_view line) {
    std::string_view t = trimmed(line);
    if (t.size() < 2 || t.front() != '[') { return std::nullopt; }
    std::size_t close = t.find(']');
    if (close == std::string_view::npos) { return std::nullopt; }
    return trimmed(t.substr(1, close - 1));
}

bool isBlank(std::string_view line) { return trimmed(line).empty(); }

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    // A last line ending in a line break does not start one more line.
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n') || text.ends_with('\r')) {
        text.remove_suffix(1);
    }
    for (std::string_view line : SplitLines(text)) {
        Line entry{std::string(line), {}, false};
        if (auto name = sectionName(line)) {
            entry.isSection = true;
            entry.section = lowered(*name);
        }
        document.lines_.push_back(std::move(entry));
    }
    return document;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    std::string wanted = lowered(trimmed(section));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].isSection && lines_[i].section == wanted) { return i; }
    }
    return std::string::npos;
}

std::size_t IniDocument::findKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
        std::string_view line = lines_[i].text;
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) { continue; }
        if (sameName(trimmed(line.substr(0, equals)), trimmed(key))) { return i; }
    }
    return std::string::npos;
}

std::optional<std::string_view> IniDocument::value(std::string_view section, std::string_view key) const {
    std::size_t header = findSection(section);
    if (header == std::string::npos) { return std::nullopt; }
    std::size_t at = findKey(header, key);
    if (at == std::string::npos) { return std::nullopt; }
    std::string_view line = lines_[at].text;
    return line.substr(line.find('=') + 1);
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    std::size_t header = findSection(section);
    if (header == std::string::npos) {
        lines_.push_back(Line{"[" + std::string(section) + "]", lowered(section), true});
        lines_.push_back(Line{std::move(line), {}, false});
        return;
    }
    std::size_t at = findKey(header, key);
    if (at != std::string::npos) {
        lines_[at].text = std::move(line);
        return;
    }
    // After the section's last non-blank line, so that a blank line before the next section stays there.
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
        if (!isBlank(lines_[i].text)) { insertAt = i + 1; }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{std::move(line), {}, false});
}

std::string IniDocument::text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += "\r\n";
    }
    return out;
}

}  // namespace bw
