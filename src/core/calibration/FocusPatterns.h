#pragma once
// Focus calibration programs. The coarse pattern burns ten labelled marks at
// Z 10..100 mm and one long line whose Z falls from 100 to 10 mm across them;
// the fine pattern burns 200 small squares or dots, each 0.1 mm higher than the
// one before, around a base Z.

#include <span>

#include "calibration/CalibrationProgram.h"

namespace bw {

// The whole program: header lines, moves and comment lines, footer lines.
Result<ProgramLines> BuildCoarseFocusPattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                             char decimalSeparator);
Result<ProgramLines> BuildFineFocusPattern(const ProgramWriter& shared, const CalibrationFields& fields,
                                           char decimalSeparator);

// One block of the coarse pattern: a mark and its label.
struct CoarseBlock {
    int z;                    // Z of the block in whole mm, also the label and the comment (";" + z)
    Fixed4 markX;             // the mark runs down at this X...
    Fixed4 markTopY;          // ...from here...
    Fixed4 markBottomY;       // ...to here
    std::int64_t labelPenX;   // pen position of the label's first digit, outline units
    std::int64_t labelBaseY;  // baseline of the label, outline units
};

// The ten blocks, Z 10 to 100. Odd blocks carry their labels below the marks,
// even ones above; the label 100 starts further left to keep inside the pattern.
std::span<const CoarseBlock, 10> CoarseBlocks();

}  // namespace bw
