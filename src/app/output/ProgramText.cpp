#include "output/ProgramText.h"

#include <algorithm>

namespace bw::app {

std::shared_ptr<const ProgramLines> showProgram(ProgramView* view, ProgramLines&& lines) {
    auto shared = std::make_shared<const ProgramLines>(std::move(lines));
    view->setProgram(shared);
    return shared;
}

std::string viewFileText(const ProgramView* view) { return view->fileText(); }

std::size_t fileLineCount(const ProgramLines& lines) {
    std::size_t count = 0;
    lines.forEachChunk(
        [&](std::string_view chunk) { count += std::size_t(std::count(chunk.begin(), chunk.end(), '\n')); });
    return count;
}

}  // namespace bw::app
