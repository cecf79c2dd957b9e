#pragma once
// The four profile families (G-code, DXF, BMP/JPG, PCB): their file extension,
// INI section and drop-down list, and the sorted list of profile names found
// in the settings folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsKeys.h"

namespace bw {

enum class ProfileKind { GCode, Dxf, Bmp, Pcb };

struct ProfileFamily {
    std::string_view extension;  // ".gcd", ".cpd", ".cpb", ".cpp"
    SettingsSection section;     // what a profile file of the family holds
    std::string_view listId;     // objectName of the drop-down list; its selection is kept in "Last.ini"
};

const ProfileFamily& FamilyOf(ProfileKind kind);

// The name a file stands for: the part before the last "." when the last of
// ".", "\" and ":" is a "." ("Wood 3mm.cpd" -> "Wood 3mm").
std::string ProfileNameOf(std::string_view fileName);

// Names of the family's files in the folder (extension in any letter case),
// sorted without regard to case; empty when the folder does not exist.
std::vector<std::string> ListProfiles(const std::filesystem::path& folder, ProfileKind kind);

}  // namespace bw
