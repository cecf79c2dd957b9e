#include "ProgramText.h"

namespace bw::app {

std::shared_ptr<const ProgramLines> showProgram(ProgramView* view, ProgramLines&& lines) {
    auto shared = std::make_shared<const ProgramLines>(std::move(lines));
    view->setProgram(shared);
    return shared;
}

std::string viewFileText(const ProgramView* view) { return view->fileText(); }

}  // namespace bw::app
