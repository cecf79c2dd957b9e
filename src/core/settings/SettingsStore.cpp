#include "settings/SettingsStore.h"

#include <system_error>

#include "common/Fixed4.h"
#include "common/TextLines.h"
#include "files/InputFile.h"
#include "gcode/ProgramOutput.h"
#include "job/StartPoint.h"
#include "settings/HexText.h"
#include "settings/SettingsFolder.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

// Settings files are a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxSettingsFileBytes = kMaxTextFileBytes;

std::optional<int> readInteger(std::string_view text) {
    auto value = parseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) { return std::nullopt; }
    return static_cast<int>(*value);
}

std::string numberText(Fixed4 value, char separator) { return formatShortest(value, separator); }

// The lines of a multi-line field as the file keeps them: each line ended by CR LF.
std::string storedLines(std::string_view fieldText) {
    std::string stored;
    for (std::string_view line : SplitLines(fieldText)) {
        stored += line;
        stored += "\r\n";
    }
    return stored;
}

std::string fieldLines(std::string_view stored) { return FieldTextFromFile(stored); }

void readKey(const SettingsKey& key, std::optional<std::string_view> value, FieldValues& fields, char separator) {
    switch (key.kind) {
        case ValueKind::Number: {
            std::optional<Fixed4> number = value ? parseDecimal(*value, separator) : std::nullopt;
            // A file written under the other notation loses nothing: "0.5" reads as 0,5 on a comma system.
            if (!number && value) { number = parseDecimal(*value, separator == ',' ? '.' : ','); }
            if (!number) { number = parseDecimal(key.defaultValue, '.'); }
            fields.setText(key.fieldId, numberText(*number, separator));
            return;
        }
        case ValueKind::Integer:
        case ValueKind::IndexInteger: {
            std::optional<int> number = value ? readInteger(*value) : std::nullopt;
            if (!number) { number = readInteger(key.defaultValue); }
            if (key.kind == ValueKind::Integer) {
                fields.setText(key.fieldId, std::to_string(*number));
            } else {
                fields.setIndex(key.fieldId, *number);
            }
            return;
        }
        case ValueKind::Flag: {
            std::optional<int> number = value ? readInteger(*value) : std::nullopt;
            bool checked = number ? *number != 0 : key.defaultValue == "1";
            fields.setFlag(key.fieldId, checked);
            if (key.fieldId == "CBKwadraty") { fields.setFlag("CBKropki", !checked); }  // a radio pair
            return;
        }
        case ValueKind::Text: fields.setText(key.fieldId, std::string(value ? *value : key.defaultValue)); return;
        case ValueKind::HexText: {
            std::optional<std::string> bytes = value ? DecodeHex(*value) : std::nullopt;
            fields.setText(key.fieldId, bytes ? fieldLines(*bytes) : std::string(key.defaultValue));
            return;
        }
    }
}

Result<std::string> valueOf(const SettingsKey& key, const FieldValues& fields, char separator) {
    switch (key.kind) {
        case ValueKind::Number: {
            std::string text = fields.text(key.fieldId);
            auto number = parseDecimal(text, separator);
            if (!number) { return Error{std::string(key.fieldId) + ": \"" + text + "\" is not a number"}; }
            return numberText(*number, separator);
        }
        case ValueKind::Integer: {
            std::string text = fields.text(key.fieldId);
            auto number = readInteger(text);
            if (!number) { return Error{std::string(key.fieldId) + ": \"" + text + "\" is not a whole number"}; }
            return std::to_string(*number);
        }
        case ValueKind::IndexInteger: {
            auto fallback = readInteger(key.defaultValue);
            return std::to_string(fields.index(key.fieldId, fallback.value_or(0)));
        }
        case ValueKind::Flag: return std::string(fields.flag(key.fieldId) ? "1" : "0");
        case ValueKind::Text: {
            // A one-line field: a line break would end the value early and start a stray line.
            std::string text = fields.text(key.fieldId);
            for (char& c : text) {
                if (c == '\r' || c == '\n') { c = ' '; }
            }
            return text;
        }
        case ValueKind::HexText: return EncodeHex(storedLines(fields.text(key.fieldId)));
    }
    return std::string();
}

Result<std::string> readFile(const fs::path& path) { return ReadWholeFile(path, kMaxSettingsFileBytes); }

std::string profileFile(ProfileKind kind, std::string_view name) {
    return std::string(name) + std::string(FamilyOf(kind).extension);
}

// A profile name becomes a file name in the settings folder; a folder separator
// would put the file somewhere else entirely.
Status checkProfileName(std::string_view name) {
    if (name.empty()) { return Error{"A profile needs a name"}; }
    if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
        return Error{"A profile name cannot contain \"/\": \"" + std::string(name) + "\""};
    }
    return success();
}

}  // namespace

void ReadSection(const IniDocument& document, SettingsSection section, FieldValues& fields, char decimalSeparator) {
    std::string_view name = SectionName(section);
    for (const SettingsKey& key : SectionKeys(section)) {
        readKey(key, document.value(name, key.key), fields, decimalSeparator);
    }
    if (section == SettingsSection::Last && !isValidStartPoint(fields.index(kStartPointId))) {
        fields.setIndex(kStartPointId, kDefaultStartPoint);
    }
}

void ApplyPostLoadOverrides(FieldValues& fields, char decimalSeparator) {
    fields.setText("EOgniskowa", "0");
    fields.setText("EEkstruzja", numberText(Fixed4::fromRaw(1000), decimalSeparator));
    fields.setText("EIloscZerU", "4");
    fields.setIndex(kLanguageIndexId, 1);
}

Status WriteSection(IniDocument& document, SettingsSection section, const FieldValues& fields, char decimalSeparator) {
    std::string_view name = SectionName(section);
    for (const SettingsKey& key : SectionKeys(section)) {
        auto value = valueOf(key, fields, decimalSeparator);
        if (!value) { return Error{value.error()}; }
        document.setValue(name, key.key, *value);
    }
    return success();
}

Result<bool> LoadSettings(const fs::path& folder, std::string_view fileName, SettingsSection section,
                          FieldValues& fields, char decimalSeparator) {
    std::optional<fs::path> path = FindCaseInsensitive(folder, fileName);
    std::error_code error;
    if (!path || !fs::is_regular_file(*path, error)) { return false; }
    auto content = readFile(*path);
    if (!content) { return Error{content.error()}; }
    ReadSection(IniDocument::Parse(*content), section, fields, decimalSeparator);
    ApplyPostLoadOverrides(fields, decimalSeparator);
    return true;
}

Status SaveSettings(const fs::path& folder, std::string_view fileName, SettingsSection section,
                    const FieldValues& fields, char decimalSeparator) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) {
        return Error{"Cannot create the settings folder \"" + folder.string() + "\""};
    }
    fs::path path = FindCaseInsensitive(folder, fileName).value_or(folder / fs::path(std::string(fileName)));
    IniDocument document;
    if (fs::exists(path, error)) {
        auto content = readFile(path);
        if (!content) { return Error{content.error()}; }  // never replace a file we could not read
        document = IniDocument::Parse(*content);
    }
    Status written = WriteSection(document, section, fields, decimalSeparator);
    if (!written) { return written; }
    std::string text = document.text();
    // A file the next start would refuse to read is not written at all.
    if (text.size() > kMaxSettingsFileBytes) {
        return Error{"Cannot write \"" + path.string() + "\": the settings would exceed " +
                     std::to_string(kMaxSettingsFileBytes >> 20) + " MiB"};
    }
    return WriteFileAtomically(path, text);
}

Result<bool> LoadProfile(const fs::path& folder, ProfileKind kind, std::string_view name, FieldValues& fields,
                         char decimalSeparator) {
    if (Status valid = checkProfileName(name); !valid) { return Error{valid.error()}; }
    return LoadSettings(folder, profileFile(kind, name), FamilyOf(kind).section, fields, decimalSeparator);
}

Status SaveProfile(const fs::path& folder, ProfileKind kind, std::string_view name, const FieldValues& fields,
                   char decimalSeparator) {
    if (Status valid = checkProfileName(name); !valid) { return valid; }
    return SaveSettings(folder, profileFile(kind, name), FamilyOf(kind).section, fields, decimalSeparator);
}

Status DeleteProfile(const fs::path& folder, ProfileKind kind, std::string_view name) {
    if (Status valid = checkProfileName(name); !valid) { return valid; }
    std::optional<fs::path> path = FindCaseInsensitive(folder, profileFile(kind, name));
    if (!path) { return success(); }
    std::error_code error;
    fs::remove(*path, error);
    if (error) { return Error{"Cannot delete \"" + path->string() + "\": " + error.message()}; }
    return success();
}

Status LoadStartupState(const fs::path& folder, FieldValues& fields, char decimalSeparator) {
    auto last = LoadSettings(folder, kLastStateFile, SettingsSection::Last, fields, decimalSeparator);
    if (!last) { return Error{last.error()}; }
    // One damaged profile does not keep the others from loading; the first error is reported.
    std::optional<std::string> firstError;
    for (ProfileKind kind : {ProfileKind::GCode, ProfileKind::Dxf, ProfileKind::Bmp, ProfileKind::Pcb}) {
        std::string_view listId = FamilyOf(kind).listId;
        std::vector<std::string> names = ListProfiles(folder, kind);
        int selected = fields.index(listId);
        if (selected < 0 || selected >= static_cast<int>(names.size())) {
            fields.setIndex(listId, -1);
            continue;
        }
        auto loaded = LoadProfile(folder, kind, names[static_cast<std::size_t>(selected)], fields, decimalSeparator);
        if (!loaded && !firstError) { firstError = loaded.error(); }
    }
    if (firstError) { return Error{*firstError}; }
    return success();
}

}  // namespace bw

namespace bw {

char GuessDecimalSeparator(const IniDocument& document, SettingsSection section) {
    bool comma = false, point = false;
    for (const SettingsKey& key : SectionKeys(section)) {
        if (key.kind != ValueKind::Number) { continue; }
        auto value = document.value(SectionName(section), key.key);
        if (!value) { continue; }
        comma = comma || value->find(',') != std::string_view::npos;
        point = point || value->find('.') != std::string_view::npos;
    }
    return comma && !point ? ',' : '.';
}

}  // namespace bw
