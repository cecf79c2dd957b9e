#pragma once
// Moving programs between the engine's line list and the program views. The
// view shares the list it shows; saving and copying take the list's own text
// (every entry followed by CR LF), the bytes the command line writes.

#include <string>

#include "gcode/ProgramLines.h"
#include "output/ProgramView.h"

namespace bw::app {

// Hands the lines to the view (the list is moved, not copied) and answers the shared program.
std::shared_ptr<const ProgramLines> showProgram(ProgramView* view, ProgramLines&& lines);
// The program the view shows as a file holds it (an empty view gives nothing).
std::string viewFileText(const ProgramView* view);
// The number of lines a file of the program has (entries may hold several).
std::size_t fileLineCount(const ProgramLines& lines);

}  // namespace bw::app
