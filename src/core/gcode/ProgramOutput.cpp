#include "gcode/ProgramOutput.h"

namespace bw {

std::string ExtensionForChoice(int choice) {
    switch (choice) {
        case 0: return "g";
        case 1: return "gcode";
        case 2: return "nc";
        case 3: return "tap";
        default: return "";
    }
}

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The extension of a name: from its last "." when no folder separator follows it.
std::string_view extensionOf(std::string_view name) {
    std::size_t dot = name.find_last_of("./\\:");
    if (dot == std::string_view::npos || name[dot] != '.') { return {}; }
    return name.substr(dot);
}

}  // namespace

std::string ApplySaveExtension(std::string_view fileName, std::string_view extension) {
    std::string wanted = "." + std::string(extension);
    std::string_view current = extensionOf(fileName);
    bool same = current.size() == wanted.size();
    for (std::size_t i = 0; same && i < wanted.size(); ++i) { same = lower(current[i]) == lower(wanted[i]); }
    std::string result(fileName);
    if (!same) { result += wanted; }
    return result;
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
    return WriteWholeFile(path, text);
}

void WriteProgramTo(OutputFile& file, const ProgramLines& lines) {
    lines.forEachChunk([&](std::string_view chunk) { file.write(chunk); });
}

Status WriteProgram(const std::filesystem::path& path, const ProgramLines& lines) {
    auto file = OutputFile::Open(path);
    if (!file) { return Error{file.error()}; }
    WriteProgramTo(*file, lines);
    return file->commit();
}

}  // namespace bw
