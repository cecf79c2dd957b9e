#pragma once
// The start point: which point of the job's extent becomes the machine origin.
// 1..9 are the cells of a 3 x 3 grid read row by row from the top left; 7, the
// bottom-left corner, is the default.

#include "common/Fixed4.h"

namespace bw {

struct OriginOffset {
    Fixed4 x;  // added by the emitter to every X
    Fixed4 y;  // added by the emitter to every Y
};

inline constexpr int kDefaultStartPoint = 7;

bool isValidStartPoint(int startPoint);

// Offsets for a job of width x height. A start point outside 1..9 leaves
// `current` unchanged. Halves are rounded to the nearest unit, ties to even.
OriginOffset originOffsetFor(int startPoint, Fixed4 width, Fixed4 height, OriginOffset current);

}  // namespace bw
