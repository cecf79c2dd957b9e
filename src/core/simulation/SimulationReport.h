#pragma once
// Texts about a simulated program: the window's status bar line, the command
// line's summary and its JSON object. Numbers never follow the locale.

#include <string>

#include "simulation/ProgramSimulator.h"

namespace bw {

// "1234 lines, burn 12.35 m, travel 3.40 m, about 1:02:03".
std::string SimulationStatusText(const SimulationSummary& summary);

// "h:mm:ss" of whole seconds, rounded.
std::string DurationText(double seconds);

// A few lines for people: counts, lengths, time, the burnt extent and the warnings.
std::string SimulationSummaryText(const SimulationSummary& summary);

// One JSON object: lines, moves, burn_length_mm, travel_length_mm, time_s,
// bounds_mm (min_x, min_y, max_x, max_y of the burnt path, or null), warnings,
// warning_count, max_power, dynamic_power.
std::string SimulationJson(const SimulationSummary& summary);

}  // namespace bw
