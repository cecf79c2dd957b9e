#pragma once
// What each settings file holds: its section and, in the order they are
// written, the keys with their kind, the field they belong to and the value a
// missing or unreadable key gives.

#include <span>
#include <string_view>

namespace bw {

enum class SettingsSection { Last, GCode, Dxf, Bmp, Pcb };

enum class ValueKind {
    Number,        // a decimal number in the system's notation; the field shows it as shortest text ("0,3", "10000")
    Integer,       // decimal digits, kept in a text field ("508")
    IndexInteger,  // decimal digits, kept as an index (list selection, radio group item, track bar, start point)
    Flag,          // "1" or "0", kept as a check mark
    Text,          // the field's text unchanged
    HexText,       // the lines of a multi-line field, each ended by CR LF, as uppercase hexadecimal
};

struct SettingsKey {
    std::string_view key;           // the key in the file
    ValueKind kind;                 // how the value is written and read
    std::string_view fieldId;       // objectName of the field, or kStartPointId / kLanguageIndexId
    std::string_view defaultValue;  // for a missing or unreadable value; numbers with a point
};

std::string_view SectionName(SettingsSection section);
std::span<const SettingsKey> SectionKeys(SettingsSection section);

}  // namespace bw
