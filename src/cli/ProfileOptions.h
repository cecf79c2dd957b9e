#pragma once
// Profiles on the command line. Every generator sub-command takes the G-CODE
// Settings profile (--gcode-profile FILE.gcd: mask, header, footer, PWM
// maximum, extension) and its page's profile (--dxf-profile FILE.cpd,
// --image-profile FILE.cpb, --pcb-profile FILE.cpp). Values start from the
// window's form defaults, the profile replaces what it holds, and an option
// given explicitly wins over both.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/FieldValues.h"
#include "settings/ProfileList.h"

namespace bw::cli {

// For the help of profile options: where a profile given by name only is looked for.
inline constexpr const char* kProfileLookupHelp =
    "A name without folder is also looked for in the settings folder: \"Settings\" beside the program, or, when "
    "that cannot be written, $XDG_CONFIG_HOME/beamwright/Settings, else ~/.config/beamwright/Settings";

// The settings folder of this installation (see kProfileLookupHelp).
std::filesystem::path settingsFolder();

// Reads a profile of the given family: the form defaults, then the file's
// section. Numbers come out with a point, whichever separator the file used.
// A file that cannot be read or lacks the family's section is a JobError.
FieldValues loadProfileFile(const std::string& pathOrName, ProfileKind kind);

// An option that, when given, replaces a value of the profile.
struct FieldOption {
    std::string value;
    CLI::Option* option = nullptr;
    bool given() const { return option != nullptr && option->count() > 0; }
    std::string orField(const FieldValues& fields, std::string_view id) const {
        return given() ? value : fields.text(id);
    }
};

// The G-CODE Settings page as a generator needs it.
struct GCodeSettings {
    std::string maskText;     // EMaskaU
    std::string headerText;   // REHeaderU: lines joined by CR LF
    std::string footerText;   // REFooterU
    std::string pwmMaxText;   // EMWPWM, point notation
    int extensionChoice = 0;  // RGRozszerzenie: 0 "g", 1 "gcode", 2 "nc", 3 "tap"
};

// --gcode-profile, --mask, --header-file, --footer-file and --pwm-max of one sub-command
// (the PCB jobs write no header or footer, so they take the first, second and last).
class GCodeOptions {
public:
    void add(CLI::App& command, bool withHeaderAndFooter = true);
    // Call when the command runs: defaults, then the profile, then the options.
    GCodeSettings resolve() const;
    // The files named by these options (profile, header, footer): inputs an output may not replace.
    std::vector<std::string> inputFiles() const;

private:
    FieldOption profile_, mask_, headerFile_, footerFile_, pwmMax_;
};

// --dxf-profile, --image-profile or --pcb-profile of one sub-command.
class PageProfileOption {
public:
    explicit PageProfileOption(ProfileKind kind) : kind_(kind) {}
    void add(CLI::App& command);
    // The form defaults, then the profile when one was given; numbers with a point.
    FieldValues fields() const;
    // The profile file named, if any.
    std::string inputFile() const { return profile_.given() ? profile_.value : std::string(); }

private:
    ProfileKind kind_;
    FieldOption profile_;
};

}  // namespace bw::cli
