#pragma once
// Feeds a program file to the simulator in large blocks of whole lines, so a
// program of any length is read with little memory.

#include <string>

#include "common/Result.h"
#include "simulation/ProgramSimulator.h"

namespace bw {

Status SimulateProgramFile(const std::string& path, ProgramSimulator& simulator);

}  // namespace bw
