#include <gtest/gtest.h>

#include <string_view>

#include "TestSupport.h"
#include "gcode/MoveEmitter.h"
#include "raster/RasterBands.h"

using namespace bw;
using bw::test::mm;

namespace {

constexpr int kWidth = 24;
constexpr int kLines = 200;
// Lines 100 .. 139 are one step each straight up the left edge: they merge into
// one move and print nothing, so two lines before a band no longer tell where
// the emitter stands.
constexpr int kStillFrom = 100, kStillTo = 140;

// A made-up pass: serpentine lines of kWidth pixels at levels from a hash, white ones crossed with the laser off.
RasterLineEmitter madeUpLines() {
    return [](const ProgramWriter& out, Fixed4& a, int line) {
        const Fixed4 y = mm(line * 0.25);
        if (line >= kStillFrom && line < kStillTo) {
            LinearMove(out, a, {.motion = Motion::Work, .level = 9, .to = {Fixed4{}, y, Fixed4{}}, .feed = 800});
            return;
        }
        for (int k = 0; k < kWidth; ++k) {
            const int column = line % 2 == 0 ? k : kWidth - 1 - k;
            const int level =
                static_cast<int>((static_cast<unsigned>(line * 31 + column * 7) * 2654435761u >> 24) % 4) * 85;
            LinearMove(out, a,
                       {.motion = level > 0 ? Motion::Work : Motion::Rapid,
                        .level = level,
                        .to = {mm(column * 0.25), y, Fixed4{}},
                        .feed = level > 0 ? 800 : 3000});
        }
    };
}

}  // namespace

TEST(RasterBands, LinesPrintedOnTwoThreadsAreThoseOfOneLineAfterTheOther) {
    // Lowercase tokens print only what changed since the line printed last, a DIR axis
    // carries all travel: the masks where the emitter's place matters most.
    for (const char* mask : {"[G] [x] [y] [f] (S)[p]", "[G] [X] [Y] [F] [S] A[A]"}) {
        SCOPED_TRACE(mask);
        bw::test::Writer one, banded;
        for (EmitterSettings* settings : {&one.settings, &banded.settings}) {
            *settings = {.maskText = mask,
                         .dirAxisStep = mm(0.05),
                         .powerMinPwm = {},
                         .powerMaxPwm = mm(255),
                         .pwmMax = mm(255)};
        }
        ResetEmitter(one.out);
        ResetEmitter(banded.out);
        Fixed4 aOne, aBanded;
        const RasterLineEmitter emitLine = madeUpLines();
        for (int line = 0; line < kLines; ++line) { emitLine(one.out, aOne, line); }

        std::int64_t done = 0;
        int bandsAhead = 0;
        // Lines this long make the shortest bands: several of them, some after the still lines.
        PrintRasterLines(banded.out, aBanded, kLines, 1 << 20, madeUpLines, [&](std::int64_t more) {
            done += more;
            bandsAhead += more > 1 ? 1 : 0;
        });
        EXPECT_EQ(banded.lines.text(), one.lines.text());
        EXPECT_TRUE(PlaceOf(banded.out, aBanded) == PlaceOf(one.out, aOne));
        EXPECT_EQ(done, kLines);
        if (std::string_view(mask).find("[A]") == std::string_view::npos) {
            EXPECT_GT(bandsAhead, 0);  // kept from the second thread (not the one after the still lines)
        } else {
            EXPECT_EQ(bandsAhead, 0);  // with a DIR axis none could be
        }
    }
}
