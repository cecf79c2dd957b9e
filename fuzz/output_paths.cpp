// The checked writer on arbitrary folders and names: a folder holding files,
// folders and (possibly dangling, chained or looping) links, then one output
// opened by a name built from the input, written, and committed or abandoned.
// Whatever happens, nothing but the file the name leads to may change, a
// committed file holds exactly what was written, and no temporary file stays.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "files/OutputFile.h"

namespace fs = std::filesystem;

namespace {

// Every entry below the folder: its kind and content (a link's target, a file's bytes).
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const fs::path& path = it->path();
        std::string key = path.lexically_relative(root).string();
        std::error_code ignored;
        if (it->is_symlink(ignored)) {
            entries[key] = "link:" + fs::read_symlink(path, ignored).string();
        } else if (it->is_directory(ignored)) {
            entries[key] = "folder";
        } else {
            std::ifstream in(path, std::ios::binary);
            std::ostringstream content;
            content << in.rdbuf();
            entries[key] = "file:" + content.str();
        }
    }
    return entries;
}

// Names from a small alphabet, so that the input often hits existing entries.
std::string name(std::uint8_t byte) {
    static const char* const kNames[] = {"a", "b", "a/b", "b/a", "a/a", "job.nc", "job.nc.part", "../x", ".", "a/"};
    return kNames[byte % 10];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 4096) { return 0; }
    char pattern[] = "/tmp/bw-fuzz-output-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) { return 0; }
    const fs::path base(pattern);
    const fs::path root = base / "root";  // "../x" from the root stays inside `base`
    fs::create_directory(root);
    std::error_code error;
    std::size_t at = 0;
    // Build the folder: pairs of (kind, name[, target]).
    const std::size_t count = data[at++] % 8;
    for (std::size_t i = 0; i < count && at + 2 < size; ++i) {
        const std::uint8_t kind = data[at++];
        const fs::path path = root / name(data[at++]);
        fs::create_directories(path.parent_path(), error);
        switch (kind % 3) {
            case 0: std::ofstream(path, std::ios::binary) << "old" << i; break;
            case 1: fs::create_directory(path, error); break;
            default: fs::create_symlink(name(data[at++]), path, error); break;
        }
    }
    if (at + 2 > size) {
        fs::remove_all(base, error);
        return 0;
    }
    const fs::path target = root / name(data[at++]);
    const bool commit = data[at++] & 1;
    const std::string text(reinterpret_cast<const char*>(data + at), size - at);
    const auto before = snapshot(base);

    auto file = bw::OutputFile::Open(target);
    bool committed = false;
    if (file) {
        file->write(text);
        if (commit) {
            committed = file->commit().ok();
        } else {
            file->abandon();
        }
    }
    const auto after = snapshot(base);
    if (committed) {
        // Only the file the name leads to changed (or appeared), and it holds the text.
        std::ifstream in(target, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (content.str() != text) { __builtin_trap(); }
        std::size_t changed = 0;
        for (const auto& [key, value] : after) {
            auto old = before.find(key);
            if (old == before.end() || old->second != value) { ++changed; }
        }
        if (changed > 1 || after.size() < before.size()) { __builtin_trap(); }
    } else if (after != before) {
        __builtin_trap();
    }
    fs::remove_all(base, error);
    return 0;
}
