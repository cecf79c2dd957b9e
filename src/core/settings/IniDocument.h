#pragma once
// An INI text: "[Section]" lines followed by "key=value" lines. Sections and keys
// are found without regard to letter case, the first of duplicates wins, and
// everything the program does not know (other sections, comments, stray lines,
// even binary garbage) is kept as it stands when a value is changed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class IniDocument {
public:
    IniDocument() = default;
    // Lines may end in CR LF, LF or CR.
    static IniDocument Parse(std::string_view text);

    // The text after the first "=" of the key's line, exactly as it stands.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const { return findSection(section) != std::string::npos; }
    // Replaces the key's value, or adds the key at the end of its section, or
    // the section at the end of the text.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // Every line followed by CR LF.
    std::string text() const;

private:
    struct Line {
        std::string text;
        std::string section;  // lower-case name when this line is a section header
        bool isSection = false;
    };
    // Index of the first line of the section (its header), or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line within the section starting at `header`, or npos.
    std::size_t findKey(std::size_t header, std::string_view key) const;

    std::vector<Line> lines_;
};

}  // namespace bw
