#pragma once
// The lines of a raster pass on two cores. The lines are taken in bands; while
// this thread prints one band, a second thread prints the next into a program
// of its own, through a copy of the emitter that first ran the two lines before
// that band. The band is kept when this emitter ends the band before it at the
// same place (see EmitterPlace): its lines are then exactly the ones this
// emitter would print. Otherwise (lines that print too little to settle the
// emitter) the band is printed here again, so the program never depends on the
// second thread. A mask that prints the DIR axis keeps the pass on one thread:
// the axis carries all travel before a band, so no band ahead could be kept.

#include <cstdint>
#include <functional>

#include "common/Fixed4.h"
#include "gcode/ProgramWriter.h"

namespace bw {

// Prints line `line` of the pass through the writer; `a` is its DIR axis. Called
// for any line in any order, and from one thread at a time per emitter.
using RasterLineEmitter = std::function<void(const ProgramWriter& out, Fixed4& a, int line)>;

// Prints lines 0 .. count - 1 of a pass (of lineLength pixels each) in order
// through `out`. `makeEmitter` gives each thread its own line emitter (they keep
// scratch room); `linesDone` hears how many more lines are done, on this thread.
void PrintRasterLines(const ProgramWriter& out, Fixed4& a, int count, int lineLength,
                      const std::function<RasterLineEmitter()>& makeEmitter,
                      const std::function<void(std::int64_t)>& linesDone);

}  // namespace bw
