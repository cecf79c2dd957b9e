#pragma once
// Shared pieces of the command-line front end: option values with a point as
// decimal separator whatever the locale, one-line errors, program output.

#include <CLI/CLI.hpp>

#include <optional>
#include <stdexcept>
#include <string>

#include "common/Fixed4.h"
#include "gcode/ProgramLines.h"

namespace bw::cli {

// Thrown for a bad option value; main prints it on one line and exits with 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Thrown when the job itself fails (unreadable file, bad value in a profile); exit 1.
struct JobError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

inline constexpr char kCliSeparator = '.';

Fixed4 decimalOption(const std::string& option, const std::string& text);
int integerOption(const std::string& option, const std::string& text);

// Without a file name the program goes to standard output; with one it is
// written through a temporary file, so a failure never leaves a partial file.
void deliverProgram(const ProgramLines& lines, const std::string& outputPath);

// Reads a whole text file (header and footer files), or throws JobError.
std::string readTextFile(const std::string& path);

// Every sub-command registers itself here; main runs the chosen one.
using Runner = std::function<void()>;
void addPreviewCommand(CLI::App& app, Runner& run);
void addCalibrateCommand(CLI::App& app, Runner& run);
void addImageCommand(CLI::App& app, Runner& run);
void addDxfCommand(CLI::App& app, Runner& run);
void addPcbRasterCommand(CLI::App& app, Runner& run);
void addPcbOutlineCommand(CLI::App& app, Runner& run);
void addEagleUlpCommand(CLI::App& app, Runner& run);
void addEagleCommandCommand(CLI::App& app, Runner& run);
void addSimulateCommand(CLI::App& app, Runner& run);

}  // namespace bw::cli
