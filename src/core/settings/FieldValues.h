#pragma once
// The window's settings as plain values, keyed by the objectName of the control
// that shows them ("ESzJD", "CBDotnij", "RGRozszerzenie"): the settings store
// reads and writes this model, the window copies it to and from its controls,
// and the command line fills it from profiles without any window.

#include <map>
#include <string>
#include <string_view>

namespace bw {

// Ids of the two values that are not controls.
inline constexpr const char* kStartPointId = "startPoint";        // 1..9
inline constexpr const char* kLanguageIndexId = "languageIndex";  // 0 Polish, 1 English

struct FieldValues {
    std::map<std::string, std::string, std::less<>> texts;  // edit fields and multi-line fields (lines joined by CR LF)
    std::map<std::string, bool, std::less<>> flags;         // check boxes
    std::map<std::string, int, std::less<>> indices;        // list selections (-1 none), radio groups, track bars

    // The value, or the fallback when the model has none.
    std::string text(std::string_view id, std::string_view fallback = {}) const;
    bool flag(std::string_view id, bool fallback = false) const;
    int index(std::string_view id, int fallback = -1) const;
    void setText(std::string_view id, std::string value) { texts.insert_or_assign(std::string(id), std::move(value)); }
    void setFlag(std::string_view id, bool value) { flags.insert_or_assign(std::string(id), value); }
    void setIndex(std::string_view id, int value) { indices.insert_or_assign(std::string(id), value); }
};

}  // namespace bw
