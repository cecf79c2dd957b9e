// The settings reader on arbitrary bytes: it must never crash, and whatever it
// reads must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/FormDefaults.h"
#include "settings/SettingsStore.h"

namespace {

bool sameSection(const bw::FieldValues& a, const bw::FieldValues& b, bw::SettingsSection section) {
    for (const bw::SettingsKey& key : bw::SectionKeys(section)) {
        std::string_view id = key.fieldId;
        if (a.text(id) != b.text(id) || a.flag(id) != b.flag(id) || a.index(id) != b.index(id)) { return false; }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 16)) { return 0; }
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bw::IniDocument document = bw::IniDocument::Parse(text);
    for (bw::SettingsSection section : {bw::SettingsSection::Last, bw::SettingsSection::GCode, bw::SettingsSection::Dxf,
                                        bw::SettingsSection::Bmp, bw::SettingsSection::Pcb}) {
        char separator = bw::GuessDecimalSeparator(document, section);
        bw::FieldValues first = bw::FormDefaultFields(separator);
        bw::ReadSection(document, section, first, separator);

        bw::IniDocument rewritten = document;
        if (!bw::WriteSection(rewritten, section, first, separator).ok()) { std::abort(); }
        bw::FieldValues second = bw::FormDefaultFields(separator);
        bw::ReadSection(bw::IniDocument::Parse(rewritten.text()), section, second, separator);
        if (!sameSection(first, second, section)) { std::abort(); }
    }
    return 0;
}
