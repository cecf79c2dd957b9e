#pragma once
// Turns a filled mask line into its printed form: "[E]" becomes a line break,
// unfilled tokens vanish together with their "(prefix)", leftover parentheses
// go and runs of spaces shrink to one.

#include <string>

namespace bw {

std::string CleanLine(std::string line);

}  // namespace bw
