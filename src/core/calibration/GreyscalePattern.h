#pragma once
// The greyscale calibration program: ten framed bars, each of 31 vertical lines
// whose power falls by 10 % of full power from the bar's left edge to its
// right, so that together they run through the whole range.

#include "calibration/CalibrationProgram.h"

namespace bw {

Result<ProgramLines> BuildGreyscalePattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                           char decimalSeparator);

// Power level (0..255) of line j (0..30) of bar i (0..9): (8500 (30 - j) + 255000 i) / 10000, halves to even.
int GreyscaleLevel(int bar, int line);

}  // namespace bw
