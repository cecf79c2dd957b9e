#pragma once
// Shared pieces of the command-line front end: option values with a point as
// decimal separator whatever the locale, one-line errors, program output.

#include <CLI/CLI.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Fixed4.h"
#include "files/BlockWriterThread.h"
#include "files/OutputFile.h"
#include "gcode/ProgramLines.h"
#include "job/FieldRanges.h"

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
// A value of a field shared by several sub-commands, checked against the one
// range every page and sub-command applies; UsageError naming the option.
Fixed4 rangedOption(const std::string& option, const std::string& text, const FieldRange& range);
int rangedWhole(const std::string& option, const std::string& text, const FieldRange& range);

// An output of the run: standard output for an empty name, else the file
// (see OutputFile). Opened before the work, so that a missing folder is
// reported at once; nothing reaches the file before commitOutput(), and an
// output left uncommitted (a failed run) leaves no trace. An output that is
// also one of `inputs` is a UsageError.
OutputFile openOutput(const std::string& option, const std::string& path, const std::vector<std::string>& inputs);
// Puts the output in place (or flushes standard output), or throws JobError.
void commitOutput(OutputFile& output);

// The program to standard output or a file, for runs without other outputs.
// Only for small programs built whole in memory; a job's program streams.
void deliverProgram(const ProgramLines& lines, const std::string& outputPath,
                    const std::vector<std::string>& inputs = {});

// While it lives, the job's program goes to `output` in large blocks as the
// job writes it, so a program of hundreds of megabytes never sits in memory
// whole; the store still counts every entry. The job writes its program
// afresh: whatever the store held before is dropped. Nothing reaches the
// target before the output is committed, so a failed job leaves no file.
// The blocks are written on a thread of their own while the job goes on.
class ProgramStream {
public:
    ProgramStream(ProgramLines& lines, OutputFile& output);
    ~ProgramStream();
    ProgramStream(const ProgramStream&) = delete;
    ProgramStream& operator=(const ProgramStream&) = delete;
    // Hands on what the store still holds, once the job succeeded; the
    // output's commit is the caller's.
    void finish();

private:
    ProgramLines& lines_;
    BlockWriterThread writer_;
};

// Reads a whole text file (header and footer files) with the size cap of text
// files, or throws JobError.
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
