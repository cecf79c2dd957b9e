#include "settings/SettingsFolder.h"

#include <unistd.h>

#include <system_error>

namespace bw {

namespace fs = std::filesystem;

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) { return false; }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) { return false; }
    }
    return true;
}

// Whether a file can be created in the folder: tried, not guessed from modes,
// so read-only mounts and access lists count too.
bool canCreateFilesIn(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) { return false; }
    // A new file of a unique name, never an existing one or a link.
    std::string probe = (folder / ".beamwright-probe-XXXXXX").string();
    int fd = ::mkstemp(probe.data());
    if (fd < 0) { return false; }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace

std::optional<fs::path> FindCaseInsensitive(const fs::path& folder, std::string_view name) {
    std::error_code error;
    if (fs::exists(folder / fs::path(std::string(name)), error)) { return folder / fs::path(std::string(name)); }
    std::optional<fs::path> best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (!equalIgnoringCase(candidate, name)) { continue; }
        if (!best || candidate < best->filename().string()) { best = it->path(); }
    }
    return best;
}

Result<SettingsLocation> ResolveSettingsFolder(const fs::path& programFolder, std::string_view xdgConfigHome,
                                               std::string_view home) {
    std::error_code error;
    std::optional<fs::path> existing = FindCaseInsensitive(programFolder, "Settings");
    std::string notice;
    if (existing && fs::is_directory(*existing, error)) {
        if (canCreateFilesIn(*existing)) { return SettingsLocation{*existing, false, {}}; }
        notice = "The settings folder \"" + existing->string() + "\" cannot be written";
    } else if (!existing && canCreateFilesIn(programFolder)) {
        return SettingsLocation{programFolder / "Settings", false, {}};
    }
    auto perUser = [&](fs::path folder) {
        if (!notice.empty()) { notice += "; settings are kept in \"" + folder.string() + "\" instead."; }
        return SettingsLocation{std::move(folder), true, notice};
    };
    // A relative XDG_CONFIG_HOME is to be ignored.
    if (!xdgConfigHome.empty() && fs::path(std::string(xdgConfigHome)).is_absolute()) {
        return perUser(fs::path(std::string(xdgConfigHome)) / "beamwright" / "Settings");
    }
    if (!home.empty()) { return perUser(fs::path(std::string(home)) / ".config" / "beamwright" / "Settings"); }
    return Error{"No settings folder: \"" + (programFolder / "Settings").string() +
                 "\" cannot be written and neither XDG_CONFIG_HOME nor HOME is set"};
}

}  // namespace bw
