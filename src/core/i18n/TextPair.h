#pragma once
// A text in the window's two languages, chosen by `languageIndex` (0 Polish,
// 1 English) at the moment it is shown.

#include <string_view>

namespace bw {

inline constexpr int kPolish = 0;
inline constexpr int kEnglish = 1;
// The window is put into English at every start, whatever the last state stored.
inline constexpr int kStartLanguageIndex = kEnglish;

struct TextPair {
    std::string_view polish;   // element 0
    std::string_view english;  // element 1

    // Index 0 selects Polish; any other value English, so that a stray index read
    // from a damaged state file never reads past the pair.
    std::string_view text(int languageIndex) const { return languageIndex == kPolish ? polish : english; }

    friend bool operator==(const TextPair&, const TextPair&) = default;
};

// The language toggle: 1 -> 0 -> 1. Any index other than 0 counts as English and
// therefore toggles to Polish.
constexpr int nextLanguageIndex(int languageIndex) { return languageIndex == kPolish ? kEnglish : kPolish; }

}  // namespace bw
