#pragma once
// Where the settings live: the folder "Settings" beside the program, found
// without regard to letter case ("settings" is the same folder). An installed
// copy whose folder cannot be written keeps them in the user's configuration
// folder instead: $XDG_CONFIG_HOME/beamwright/Settings, else
// ~/.config/beamwright/Settings.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace bw {

struct SettingsLocation {
    std::filesystem::path folder;  // may not exist yet: saving creates it
    bool perUser = false;          // true when the program's own folder could not be used
    // Set when a "Settings" folder beside the program exists but cannot be
    // written: the reason the user's folder is used, to be shown once.
    std::string notice;
};

// `xdgConfigHome` and `home` are the environment's values, empty when unset.
Result<SettingsLocation> ResolveSettingsFolder(const std::filesystem::path& programFolder,
                                               std::string_view xdgConfigHome, std::string_view home);

// The entry of `folder` named `name` without regard to letter case; an exact
// match wins, otherwise the first in byte order. nullopt when there is none.
std::optional<std::filesystem::path> FindCaseInsensitive(const std::filesystem::path& folder, std::string_view name);

}  // namespace bw
