#include "gcode/ProgramOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

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

template <typename Producer>
Status writeThroughTemporary(const std::filesystem::path& path, Producer&& produce) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Error{"Cannot write \"" + path.string() + "\": " + std::strerror(errno)};
        }
        produce(out);
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return Error{"Writing \"" + path.string() + "\" failed (disk full?)"};
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Error{"Cannot replace \"" + path.string() + "\": " + error.message()};
    }
    return success();
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
    return writeThroughTemporary(path, [&](std::ofstream& out) { out.write(text.data(), static_cast<std::streamsize>(text.size())); });
}

Status WriteProgram(const std::filesystem::path& path, const ProgramLines& lines) {
    return writeThroughTemporary(path, [&](std::ofstream& out) {
        lines.forEachChunk([&](std::string_view chunk) { out.write(chunk.data(), static_cast<std::streamsize>(chunk.size())); });
    });
}

}  // namespace bw
