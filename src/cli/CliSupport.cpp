#include "CliSupport.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "gcode/ProgramOutput.h"

namespace bw::cli {

Fixed4 decimalOption(const std::string& option, const std::string& text) {
    auto value = parseDecimal(text, kCliSeparator);
    if (!value) { throw UsageError(option + ": '" + text + "' is not a number (use a point as decimal separator)"); }
    return *value;
}

int integerOption(const std::string& option, const std::string& text) {
    auto value = parseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        throw UsageError(option + ": '" + text + "' is not a whole number");
    }
    return static_cast<int>(*value);
}

void deliverProgram(const ProgramLines& lines, const std::string& outputPath) {
    if (outputPath.empty()) {
        lines.forEachChunk([](std::string_view chunk) { std::cout.write(chunk.data(), static_cast<std::streamsize>(chunk.size())); });
        std::cout.flush();
        return;
    }
    Status written = WriteProgram(outputPath, lines);
    if (!written) { throw JobError(written.error()); }
}

std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) { throw JobError("cannot read \"" + path + "\""); }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace bw::cli
