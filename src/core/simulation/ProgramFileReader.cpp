#include "ProgramFileReader.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace bw {

Status SimulateProgramFile(const std::string& path, ProgramSimulator& simulator) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) { return Error{"cannot read \"" + path + "\""}; }
    std::string pending;  // bytes after the last complete line
    std::vector<char> block(std::size_t(1) << 20);
    for (;;) {
        std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) { break; }
        pending.append(block.data(), got);
        std::size_t lastEnd = pending.find_last_of('\n');
        if (lastEnd == std::string::npos) { continue; }
        simulator.addText(std::string_view(pending).substr(0, lastEnd + 1));
        pending.erase(0, lastEnd + 1);
    }
    if (std::ferror(file.get())) { return Error{"cannot read \"" + path + "\""}; }
    simulator.addText(pending);
    return success();
}

}  // namespace bw
