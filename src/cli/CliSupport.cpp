#include "CliSupport.h"

#include "common/QuotedText.h"
#include "files/InputFile.h"
#include "gcode/ProgramOutput.h"

namespace bw::cli {

Fixed4 decimalOption(const std::string& option, const std::string& text) {
    auto value = parseDecimal(text, kCliSeparator);
    if (!value) {
        throw UsageError(option + ": " + QuoteForMessage(text) + " is not a number (use a point as decimal separator)");
    }
    return *value;
}

int integerOption(const std::string& option, const std::string& text) {
    auto value = parseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        throw UsageError(option + ": " + QuoteForMessage(text) + " is not a whole number");
    }
    return static_cast<int>(*value);
}

Fixed4 rangedOption(const std::string& option, const std::string& text, const FieldRange& range) {
    Fixed4 value = range.whole ? Fixed4::fromInt(integerOption(option, text)) : decimalOption(option, text);
    if (Status inside = CheckRange(range, value, kCliSeparator); !inside) {
        throw UsageError(option + ": " + QuoteForMessage(text) + " " + OutsideRange(range, kCliSeparator));
    }
    return value;
}

int rangedWhole(const std::string& option, const std::string& text, const FieldRange& range) {
    return static_cast<int>(rangedOption(option, text, range).raw / Fixed4::kScale);
}

OutputFile openOutput(const std::string& option, const std::string& path, const std::vector<std::string>& inputs) {
    if (path.empty()) { return OutputFile::StandardOutput(); }
    for (const std::string& input : inputs) {
        if (!input.empty() && IsSameFile(path, input)) {
            throw UsageError(option + ": \"" + path + "\" is also an input of this run");
        }
    }
    auto opened = OutputFile::Open(path);
    if (!opened) { throw JobError(opened.error()); }
    return std::move(opened).value();
}

void commitOutput(OutputFile& output) {
    Status committed = output.commit();
    if (!committed) { throw JobError(committed.error()); }
}

void deliverProgram(const ProgramLines& lines, const std::string& outputPath, const std::vector<std::string>& inputs) {
    OutputFile output = openOutput("--output", outputPath, inputs);
    WriteProgramTo(output, lines);
    commitOutput(output);
}

ProgramStream::ProgramStream(ProgramLines& lines, OutputFile& output) : lines_(lines), writer_(output) {
    lines_.clear();
    lines_.streamTo([this](std::string_view block) { writer_.write(block); });
}

// Ends the streaming without writing more: after a failure the rest is not wanted.
// The writer's destructor then waits for the block it still holds.
ProgramStream::~ProgramStream() { lines_.streamTo({}); }

void ProgramStream::finish() {
    lines_.flush();
    writer_.wait();
}

std::string readTextFile(const std::string& path) {
    auto content = ReadWholeFile(path, kMaxTextFileBytes);
    if (!content) { throw JobError(content.error()); }
    return std::move(content).value();
}

}  // namespace bw::cli
