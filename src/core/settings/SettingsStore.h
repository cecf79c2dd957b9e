#pragma once
// Reading and writing settings files: "Last.ini", the window's state at close,
// and the named profiles of the four pages. Values go into and come out of a
// FieldValues model; numbers use the system's decimal separator, given
// explicitly. Files are replaced only by a complete new file.

#include <filesystem>
#include <string_view>

#include "common/Result.h"
#include "settings/FieldValues.h"
#include "settings/IniDocument.h"
#include "settings/ProfileList.h"
#include "settings/SettingsKeys.h"

namespace bw {

inline constexpr std::string_view kLastStateFile = "Last.ini";

// Puts the section's values into the model, in table order; a missing or
// unreadable value gives the key's default. A start point outside 1..9 becomes 7.
void ReadSection(const IniDocument& document, SettingsSection section, FieldValues& fields, char decimalSeparator);

// After any file was read: the Tools page's focus Z, DIR-axis step, decimal
// places and the language go back to "0", 0.1, "4" and English; the stored
// values are written at close but never restored.
void ApplyPostLoadOverrides(FieldValues& fields, char decimalSeparator);

// Writes the section's keys in table order. A number or whole-number field
// that does not convert is an error naming the field; the document may then
// hold some of the keys, so callers write it only on success.
Status WriteSection(IniDocument& document, SettingsSection section, const FieldValues& fields, char decimalSeparator);

// Reads the file of the settings folder named `fileName` (letter case ignored).
// Answers false, changing nothing, when there is no such file; an unreadable
// file is an error, also changing nothing. After a read the overrides apply.
// The caller restarts the picture's tone processing either way.
Result<bool> LoadSettings(const std::filesystem::path& folder, std::string_view fileName, SettingsSection section,
                          FieldValues& fields, char decimalSeparator);

// Creates the folder when missing and updates the section of the file (an
// existing file in any letter case keeps its name and its other content).
Status SaveSettings(const std::filesystem::path& folder, std::string_view fileName, SettingsSection section,
                    const FieldValues& fields, char decimalSeparator);

// Profile name + the family's extension, with the family's section.
Result<bool> LoadProfile(const std::filesystem::path& folder, ProfileKind kind, std::string_view name,
                         FieldValues& fields, char decimalSeparator);
Status SaveProfile(const std::filesystem::path& folder, ProfileKind kind, std::string_view name,
                   const FieldValues& fields, char decimalSeparator);
// Deleting a profile that does not exist is not an error.
Status DeleteProfile(const std::filesystem::path& folder, ProfileKind kind, std::string_view name);

// Start-up: "Last.ini", then the selected profile of each list in the order
// G-code, DXF, BMP/JPG, PCB. A stored selection beyond the end of its list
// selects nothing.
Status LoadStartupState(const std::filesystem::path& folder, FieldValues& fields, char decimalSeparator);

}  // namespace bw

namespace bw {

// The decimal separator a file's numbers were written with: "," when some
// number of the section holds a comma and none a point, else ".". For files
// that may come from another system (the command line reads any profile).
char GuessDecimalSeparator(const IniDocument& document, SettingsSection section);

}  // namespace bw
