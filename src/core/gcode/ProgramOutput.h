#pragma once
// Delivering a program: the file extension choice, the save-name rule and
// writing a file so that a failed write never leaves a half-written file.

#include <filesystem>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "files/OutputFile.h"
#include "gcode/ProgramLines.h"

namespace bw {

// Extension of the G-code profile's choice: 0 "g", 1 "gcode", 2 "nc", 3 "tap", else empty.
std::string ExtensionForChoice(int choice);

// Appends "." + extension unless the name already ends in it (any letter case):
// "part.txt" -> "part.txt.nc", "PART.NC" stays.
std::string ApplySaveExtension(std::string_view fileName, std::string_view extension);

// Writes `text` to `path` through OutputFile: the file is replaced only when
// everything was written, links are followed, devices written directly.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text);
Status WriteProgram(const std::filesystem::path& path, const ProgramLines& lines);
// Appends the program's lines to an open output (its commit is the caller's).
void WriteProgramTo(OutputFile& file, const ProgramLines& lines);

}  // namespace bw
