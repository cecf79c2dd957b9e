#include "ProfileOptions.h"

#include <cstdlib>
#include <system_error>

#include "CliSupport.h"
#include "common/TextLines.h"
#include "job/NumericInput.h"
#include "settings/FormDefaults.h"
#include "settings/SettingsFolder.h"
#include "settings/SettingsStore.h"

namespace bw::cli {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path programFolder() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : program.parent_path();
}

// A profile named without folder may live in the settings folder, with or without its extension;
// a "Settings" folder beside the program that cannot be written is still read.
fs::path locateProfile(const std::string& pathOrName, ProfileKind kind) {
    fs::path given(pathOrName);
    std::error_code error;
    if (fs::exists(given, error) || given.has_parent_path()) { return given; }
    std::vector<fs::path> folders{settingsFolder()};
    if (auto beside = FindCaseInsensitive(programFolder(), "Settings")) { folders.push_back(*beside); }
    for (const fs::path& folder : folders) {
        for (std::string name : {pathOrName, pathOrName + std::string(FamilyOf(kind).extension)}) {
            if (auto found = FindCaseInsensitive(folder, name); found && fs::is_regular_file(*found, error)) {
                return *found;
            }
        }
    }
    return given;
}

std::string optionName(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::GCode: return "--gcode-profile";
        case ProfileKind::Dxf: return "--dxf-profile";
        case ProfileKind::Bmp: return "--image-profile";
        case ProfileKind::Pcb: return "--pcb-profile";
    }
    return "";
}

}  // namespace

fs::path settingsFolder() {
    auto location = ResolveSettingsFolder(programFolder(), environment("XDG_CONFIG_HOME"), environment("HOME"));
    if (!location) { throw JobError(location.error()); }
    return location->folder;
}

FieldValues loadProfileFile(const std::string& pathOrName, ProfileKind kind) {
    fs::path path = locateProfile(pathOrName, kind);
    IniDocument document = IniDocument::Parse(readTextFile(path.string()));
    SettingsSection section = FamilyOf(kind).section;
    std::string_view name = SectionName(section);
    // The window would take a wrong file as all defaults; here that is surely a mistake.
    if (!document.hasSection(name)) {
        throw JobError("\"" + path.string() + "\" is not a " + std::string(name) + " profile (no [" +
                       std::string(name) + "] section)");
    }
    char separator = GuessDecimalSeparator(document, section);
    FieldValues fields = FormDefaultFields('.');
    ReadSection(document, section, fields, separator);
    for (const SettingsKey& key : SectionKeys(section)) {
        if (key.kind == ValueKind::Number) {
            fields.setText(key.fieldId, NormalizeNumericField(fields.text(key.fieldId), '.'));
        }
    }
    return fields;
}

void GCodeOptions::add(CLI::App& command, bool withHeaderAndFooter) {
    profile_.option = command.add_option("--gcode-profile", profile_.value,
                                         std::string("G-CODE Settings profile (.gcd): mask, header, footer, PWM "
                                                     "maximum; options given explicitly win. ") +
                                             kProfileLookupHelp);
    mask_.option = command.add_option("--mask", mask_.value, "G-code mask, e.g. \"[G] [X] [Y] (S)[P]\"");
    if (withHeaderAndFooter) {
        headerFile_.option =
            command.add_option("--header-file", headerFile_.value, "Text file whose lines start the program");
        footerFile_.option =
            command.add_option("--footer-file", footerFile_.value, "Text file whose lines end the program");
    }
    pwmMax_.option = command.add_option("--pwm-max", pwmMax_.value, "Maximum PWM value (default 255)");
}

GCodeSettings GCodeOptions::resolve() const {
    FieldValues fields =
        profile_.given() ? loadProfileFile(profile_.value, ProfileKind::GCode) : FormDefaultFields('.');
    GCodeSettings settings;
    settings.maskText = mask_.orField(fields, "EMaskaU");
    settings.headerText =
        headerFile_.given() ? FieldTextFromFile(readTextFile(headerFile_.value)) : fields.text("REHeaderU");
    settings.footerText =
        footerFile_.given() ? FieldTextFromFile(readTextFile(footerFile_.value)) : fields.text("REFooterU");
    settings.pwmMaxText = pwmMax_.orField(fields, "EMWPWM");
    settings.extensionChoice = fields.index("RGRozszerzenie", 0);
    rangedOption("--pwm-max", settings.pwmMaxText, FieldRanges::PwmMax);
    return settings;
}

std::vector<std::string> GCodeOptions::inputFiles() const {
    std::vector<std::string> files;
    for (const FieldOption* option : {&profile_, &headerFile_, &footerFile_}) {
        if (option->given()) { files.push_back(option->value); }
    }
    return files;
}

void PageProfileOption::add(CLI::App& command) {
    std::string extension(FamilyOf(kind_).extension);
    profile_.option =
        command.add_option(optionName(kind_), profile_.value,
                           "Page profile (" + extension + "); options given explicitly win. " + kProfileLookupHelp);
}

FieldValues PageProfileOption::fields() const {
    return profile_.given() ? loadProfileFile(profile_.value, kind_) : FormDefaultFields('.');
}

}  // namespace bw::cli
