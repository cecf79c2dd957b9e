#include "settings/ProfileList.h"

#include <algorithm>
#include <system_error>

namespace bw {

namespace fs = std::filesystem;

namespace {

constexpr ProfileFamily kFamilies[] = {
    {".gcd", SettingsSection::GCode, "CBProfilS"},
    {".cpd", SettingsSection::Dxf, "CBProfilD"},
    {".cpb", SettingsSection::Bmp, "CBProfilB"},
    {".cpp", SettingsSection::Pcb, "CBProfilP"},
};

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
    if (name.size() < suffix.size()) { return false; }
    name.remove_prefix(name.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (lower(name[i]) != lower(suffix[i])) { return false; }
    }
    return true;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                             [](char x, char y) { return lower(x) < lower(y); });
    bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                [](char x, char y) { return lower(x) < lower(y); });
    return less || (!greater && a < b);  // names differing only in case keep a fixed order
}

}  // namespace

const ProfileFamily& FamilyOf(ProfileKind kind) { return kFamilies[static_cast<int>(kind)]; }

std::string ProfileNameOf(std::string_view fileName) {
    std::size_t last = fileName.find_last_of(".\\:");
    if (last == std::string_view::npos || fileName[last] != '.') { return std::string(fileName); }
    return std::string(fileName.substr(0, last));
}

std::vector<std::string> ListProfiles(const fs::path& folder, ProfileKind kind) {
    std::vector<std::string> names;
    std::string_view extension = FamilyOf(kind).extension;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) { continue; }
        std::string file = it->path().filename().string();
        if (!endsWithIgnoringCase(file, extension) || file.size() == extension.size()) { continue; }
        names.push_back(ProfileNameOf(file));
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

}  // namespace bw
