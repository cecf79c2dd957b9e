#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <numbers>
#include <string>
#include <vector>

#include "simulation/ProgramSimulator.h"
#include "simulation/SimulationReport.h"

using namespace bw;

namespace {

struct Simulated {
    SimulationSummary summary;
    std::vector<ToolpathSegment> segments;
};

Simulated simulate(const std::string& program, SimulationOptions options = {}) {
    Simulated run;
    ProgramSimulator simulator(options, [&](const ToolpathSegment& s) { run.segments.push_back(s); });
    simulator.addText(program);
    run.summary = simulator.finish();
    return run;
}

SimulationOptions withAcceleration(double accel) {
    SimulationOptions options;
    options.limits.accelerationMmPerS2 = accel;
    return options;
}

}  // namespace

// Accelerate to 100 mm/s over 10 mm (0.2 s), cruise 80 mm (0.8 s), stop over 10 mm (0.2 s).
TEST(MotionPlanner, StraightMoveFromRestToRest) {
    Simulated run = simulate("G1 X100 F6000\n", withAcceleration(500));
    EXPECT_NEAR(run.summary.seconds, 1.2, 1e-9);
}

// A 10 mm square at 100 mm/s: each 90-degree corner is taken at the junction
// speed v^2 = a_j d s / (1 - s), s = sin 45 degrees, where the acceleration along
// the corner's bisector is a sqrt 2 (the controller limits each axis alone).
TEST(MotionPlanner, SquareWithRightAngleCorners) {
    const double a = 1000, v = 100, d = 0.01, s = std::sqrt(0.5);
    const double cornerSqr = a * std::sqrt(2.0) * d * s / (1 - s), corner = std::sqrt(cornerSqr);
    auto side = [&](double entry, double exit) {  // trapezoid of one 10 mm side
        double up = (v * v - entry * entry) / (2 * a), down = (v * v - exit * exit) / (2 * a);
        return (v - entry) / a + (v - exit) / a + (10 - up - down) / v;
    };
    Simulated run = simulate("G1 X10 F6000\nY10\nX0\nY0\n");
    EXPECT_NEAR(run.summary.seconds, 2 * side(0, corner) + 2 * side(corner, corner), 1e-9);
    EXPECT_GT(corner, 5.8);  // well below the feed: the corners do slow the square down
    EXPECT_LT(corner, 5.9);
}

// 10000 moves of 0.01 mm in a row take as long as one 100 mm move: the look-ahead
// spans them all (far more than the planner holds at once).
TEST(MotionPlanner, ShortCollinearMovesReachFullSpeed) {
    std::string program = "G1 F6000\n";
    for (int i = 1; i <= 10000; ++i) {
        program += "X" + std::to_string(i / 100) + "." + std::to_string(i % 100 / 10) + std::to_string(i % 10) + "\n";
    }
    Simulated run = simulate(program);
    // 5 mm up to 100 mm/s (0.1 s), 90 mm cruising (0.9 s), 5 mm down (0.1 s).
    EXPECT_NEAR(run.summary.seconds, 1.1, 1e-6);
    EXPECT_EQ(run.summary.moves, 10000);
}

// A full circle of radius 10 at 10 mm/s is cut as 157 chords that stray about
// 0.002 mm from the circle (the count is rounded down); the chord corners are far above the feed, so only
// the start and the stop cost time beyond length / feed.
TEST(MotionPlanner, ArcAsChords) {
    Simulated run = simulate("M3 S100\nG0 X10\nG4 P0\nG3 X10 Y0 I-10 J0 F600\n");
    const int chords = 157;  // floor(0.5 * 2 pi * 10 / sqrt(0.002 * (20 - 0.002)))
    const double length = chords * 20 * std::sin(std::numbers::pi / chords);
    ASSERT_EQ(run.segments.size(), 1u + chords);
    EXPECT_NEAR(run.summary.burnLengthMm, length, 1e-9);
    const double rapid = 0.2;  // 10 mm rapid to rest (the dwell): 5 mm up to 100 mm/s, 5 mm down
    EXPECT_NEAR(run.summary.seconds, rapid + length / 10 + 10.0 / 1000, 1e-5);
    for (std::size_t k = 1; k < run.segments.size(); ++k) {
        const ToolpathSegment& chord = run.segments[k];
        double midX = (chord.from.x + chord.to.x) / 2, midY = (chord.from.y + chord.to.y) / 2;
        EXPECT_NEAR(std::hypot(chord.to.x, chord.to.y), 10, 1e-9);
        EXPECT_GE(std::hypot(midX, midY), 10 - 0.00201);
    }
    EXPECT_EQ(run.summary.moves, 2);
}

// Laser mode: only G1/G2/G3 with the laser on and S > 0 burn; G0 never does.
TEST(ProgramSimulator, BurnsOnlyFeedMovesWithTheLaserOnAndPower) {
    Simulated run = simulate(
        "G21 G90\n"
        "G1 X1 F600 S200\n"  // laser off
        "M4\n"
        "G0 X2\n"             // rapid
        "G1 X3\n"             // burns at 200
        "G1 X4 S0\n"          // no power
        "G1 X5 S50 (half)\n"  // burns at 50
        "M5\n"
        "G1 X6\n");
    std::vector<bool> burning;
    for (const ToolpathSegment& s : run.segments) { burning.push_back(s.burning); }
    EXPECT_EQ(burning, (std::vector<bool>{false, false, true, false, true, false}));
    EXPECT_EQ(run.segments[2].power, 200);
    EXPECT_EQ(run.segments[4].power, 50);
    EXPECT_TRUE(run.segments[2].dynamicPower);
    EXPECT_DOUBLE_EQ(run.summary.burnLengthMm, 2);
    EXPECT_DOUBLE_EQ(run.summary.travelLengthMm, 4);
    EXPECT_EQ(run.summary.burnBounds.minX, 2);
    EXPECT_EQ(run.summary.burnBounds.maxX, 5);

    SimulationOptions everyG1;
    everyG1.burnAllFeedMoves = true;
    // 24 chords of a half circle of radius 1.
    EXPECT_DOUBLE_EQ(simulate("G1 X1 F600\nG0 X2\nG2 X4 R1\n", everyG1).summary.burnLengthMm,
                     1 + 48 * std::sin(std::numbers::pi / 48));
    // There a G1 that stays put still exposes its spot; a G0 that stays put is no move.
    Simulated still = simulate("G1 X1 F600\nG1 X1\nG0 X1\n", everyG1);
    ASSERT_EQ(still.segments.size(), 2u);
    EXPECT_TRUE(still.segments[1].burning);
    EXPECT_EQ(still.segments[1].from.x, still.segments[1].to.x);
    EXPECT_EQ(simulate("G1 X1 F600 S9 M3\nG1 X1\n").segments.size(), 1u);
}

// Relative moves, inches, G92 offsets, R arcs and dwells all move the machine where
// the controller would.
TEST(ProgramSimulator, ModalStateAndOffsets) {
    Simulated run = simulate(
        "G91 G0 X1 Y1\nX1\n"      // relative: to (2, 1)
        "G90 G20 G0 X1\n"         // one inch: (25.4, 1)
        "G21 G92 X0 Y0\nG0 X1\n"  // origin moved to (25.4, 1): machine (26.4, 1)
        "G92.1\nG0 X0 Y0\n"
        "G4 P2.5\n");
    ASSERT_EQ(run.segments.size(), 5u);
    EXPECT_DOUBLE_EQ(run.segments[1].to.x, 2);
    EXPECT_DOUBLE_EQ(run.segments[2].to.x, 25.4);
    EXPECT_DOUBLE_EQ(run.segments[3].to.x, 26.4);
    EXPECT_DOUBLE_EQ(run.segments[3].to.y, 1);
    EXPECT_EQ(run.summary.warningCount, 0);
    EXPECT_GT(run.summary.seconds, 2.5);

    // R > 0 takes the shorter arc, R < 0 the longer: a half circle either way here.
    Simulated shortArc = simulate("G1 F600\nG2 X10 R5\n", {});
    Simulated longArc = simulate("G1 F600\nG2 X6 R-5\n", {});
    EXPECT_NEAR(shortArc.summary.travelLengthMm, 110 * std::sin(std::numbers::pi / 110) * 5, 1e-9);  // 55 chords
    EXPECT_GT(longArc.summary.travelLengthMm, 5 * std::numbers::pi);
}

// Whatever a program holds, the simulator reads on and names each line it cannot follow.
TEST(ProgramSimulator, WarnsWithLineNumbersAndNeverStops) {
    Simulated run = simulate(
        "$32=1\n"
        "M17 ; stepper enable\n"
        "G1 X5\n"  // no feed yet
        "G92 E0\n"
        "G1 X1 Y2 F100 (comment\n"
        "G2 X10 I1\n"  // end not on the circle
        "X-\n"
        "G1 X99999999\n"
        "T1 G0 X3\n");
    EXPECT_EQ(run.summary.lines, 9);
    EXPECT_EQ(run.summary.warnings, (std::vector<std::string>{
                                        "line 2: M17 is not simulated",
                                        "line 3: feed rate not set, move not run",
                                        "line 4: unknown word E0",
                                        "line 5: comment not closed, line not run",
                                        "line 6: feed rate not set, move not run",
                                        "line 7: word without a number, line not run",
                                        "line 8: coordinate out of range, line not run",
                                        "line 9: unknown word T1",
                                    }));
    EXPECT_EQ(run.summary.moves, 1);
    EXPECT_TRUE(run.summary.burnBounds.empty);
}

// Read and written the same on a desktop whose locale writes decimal commas.
TEST(SimulationReport, JsonAndStatusLine) {
    struct CommaNumpunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
    std::string previousC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "pl_PL.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name)) { break; }
    }
    Simulated run = simulate("M3 S1000\nG1 X1000 F6000\nG0 X0\nG1 Y10 Z1.0\nM5\n");
    const std::string status = SimulationStatusText(run.summary), json = SimulationJson(run.summary);
    std::setlocale(LC_ALL, previousC.c_str());
    std::locale::global(previous);
    EXPECT_EQ(status, "5 lines, burn 1.01 m, travel 1.00 m, about 0:00:20");
    EXPECT_EQ(json,
              "{\"lines\": 5, \"moves\": 3, \"burn_length_mm\": 1010.0499, \"travel_length_mm\": 1000.0000, "
              "\"time_s\": 20.389, \"bounds_mm\": {\"min_x\": 0.0000, \"min_y\": 0.0000, \"max_x\": 1000.0000, "
              "\"max_y\": 10.0000}, \"warnings\": [], \"warning_count\": 0, \"max_power\": 1000.0000, "
              "\"dynamic_power\": false}\n");
    EXPECT_EQ(DurationText(3 * 3600 + 59.6), "3:01:00");
}
