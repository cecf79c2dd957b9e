#pragma once
// Helpers the engine tests share: millimetres as fixed-point, a program's
// entries as strings, an emitter with nothing round it, and a fresh folder per
// test, removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/Fixed4.h"
#include "gcode/ProgramLines.h"
#include "gcode/ProgramWriter.h"

namespace bw::test {

inline Fixed4 mm(double v) { return Fixed4::fromDouble(v); }

inline std::vector<std::string> entries(const ProgramLines& lines) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) { out.emplace_back(lines.entry(i)); }
    return out;
}

// Everything the emitter prints through, owned here; `out` refers to it.
struct Writer {
    EmitterSettings settings;
    MoveEmitterState emitter;
    NumberFormat numberFormat;
    OriginOffset origin;
    ProgramLines lines;
    ProgramWriter out{emitter, settings, numberFormat, origin, lines};
    Writer() = default;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
};

struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::random_device random;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("bw-" + std::string(info ? info->name() : "test") + "-" + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
};

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace bw::test
