#include <gtest/gtest.h>

#include "TestSupport.h"
#include "gcode/MaskPreview.h"
#include "gcode/MoveEmitter.h"

using namespace bw;
using bw::test::mm;

namespace {

struct EmitterFixture : ::testing::Test {
    bw::test::Writer w;
    EmitterSettings& settings = w.settings;
    ProgramLines& lines = w.lines;
    Fixed4 a;
    void SetUp() override {
        settings = {.maskText = "[G] [x] [y] [z] [I] [J] [F] (S)[p]",
                    .dirAxisStep = mm(0.05),
                    .powerMinPwm = mm(0),
                    .powerMaxPwm = mm(255),
                    .pwmMax = mm(255)};
        ResetEmitter(w.out);
    }
    void move(bool rapid, int level, double x, double y, double z, int feed) {
        LinearMove(w.out, a, {rapid ? Motion::Rapid : Motion::Work, level, {mm(x), mm(y), mm(z)}, feed});
    }
    // An arc of radius 5 from 180 to 0 degrees ending at (x, y, 0), centre offset (i, 0).
    void arc(ArcTurn turn, double x, double y, double i) {
        ArcMove(w.out, a, {turn, 0, {mm(x), mm(y), mm(0)}, mm(i), mm(0), mm(5), mm(180), mm(0), 1000});
    }
    std::vector<std::string> printed() const { return bw::test::entries(lines); }
};

}  // namespace

TEST(MaskPreview, DecimalsAndBadFields) {
    bw::test::Writer w;
    MaskPreviewFields fields;
    fields.decimalsText = "2";
    EXPECT_EQ(BuildMaskPreview(w.out, fields, ',')->entry(1), "G1 X10.00 F5000 S20");
    fields.decimalsText = "0";  // keeps the previous format
    EXPECT_EQ(BuildMaskPreview(w.out, fields, ',')->entry(1), "G1 X10.00 F5000 S20");
    fields.dirAxisStepText = "x";
    auto bad = BuildMaskPreview(w.out, fields, ',');
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().find("\"x\""), std::string::npos);
}

TEST_F(EmitterFixture, FirstMovePrintsAtOnceAndCollinearMovesMerge) {
    move(true, 0, 0, 0, 10, 10000);
    EXPECT_EQ(printed(), std::vector<std::string>{"G0 X0.0000 Y0.0000 Z10.0000 F10000 "});
    move(false, 10, 1, 0, 10, 1500);
    move(false, 10, 2, 0, 10, 1500);
    move(false, 10, 3, 0, 10, 1500);
    EXPECT_EQ(lines.size(), 1u);  // held back until the direction changes
    move(false, 10, 3, 5, 10, 1500);
    EXPECT_EQ(printed().back(), "G1 X3.0000 F1500 S10");
}

TEST_F(EmitterFixture, StraightDownNeverContinuesStraightUp) {
    move(true, 0, 0, 0, 0, 1000);
    move(false, 5, 0, 10, 0, 1000);  // up
    move(false, 5, 0, 10, 0, 1000);  // zero length: merges and keeps "up"
    move(false, 5, 0, 2, 0, 1000);   // down: the turning point at Y10 is printed
    move(false, 5, 5, 2, 0, 1000);
    move(false, 5, 5, 2, 0, 1000);  // zero length after a sideways move: pending without a sense
    move(false, 5, 5, 0, 0, 1000);  // so this move down merges with it
    move(false, 5, 5, 1, 0, 1000);  // up after down
    move(false, 5, 9, 9, 0, 1000);
    EXPECT_EQ(printed(), (std::vector<std::string>{"G0 X0.0000 Y0.0000 Z0.0000 F1000 ", "G1 Y10.0000 F1000 S5",
                                                   "G1 Y2.0000 F1000 ", "G1 X5.0000 F1000 ", "G1 Y0.0000 F1000 ",
                                                   "G1 Y1.0000 F1000 "}));
}

TEST_F(EmitterFixture, ZOnlyMoveIsCarriedByTheNextLine) {
    move(true, 0, 0, 0, 5, 3000);
    move(true, 0, 0, 0, 2, 3000);
    move(true, 0, 7, 0, 2, 3000);
    move(true, 0, 7, 7, 2, 3000);
    EXPECT_EQ(printed().back(), "G0 X7.0000 Z2.0000 F3000 ");
}

TEST_F(EmitterFixture, LowercasePowerGroupsFollowTheLevel) {
    settings.maskText = "[G] [X] [Y] (S)[p] (A)[a]";
    move(true, 0, 0, 0, 0, 1000);
    move(false, 0, 10, 0, 0, 1000);
    move(false, 0, 10, 10, 0, 1000);  // level unchanged, A changed
    EXPECT_EQ(printed().back(), "G1 X10.0000 Y0.0000 A0.4293");
    settings.dirAxisStep = Fixed4{};
    move(false, 0, 20, 10, 0, 1000);
    EXPECT_EQ(printed().back(), "G1 X10.0000 Y10.0000 ");  // both groups gone
}

TEST_F(EmitterFixture, PowerMapping) {
    settings.maskText = "[G] [X] [P] [Pi] [p00] [P0000] [Pi0]";
    settings.powerMaxPwm = mm(1000);
    move(true, 0, 0, 0, 0, 1000);
    move(false, 255, 10, 0, 0, 1000);
    move(false, 20, 10, 10, 0, 1000);
    EXPECT_EQ(printed().back(), "G1 X10.0000 1000 -745 10.0000 0.1000 -74.5000");
    settings.powerMaxPwm = mm(127.5);
    move(false, 255, 20, 10, 0, 1000);
    move(false, 255, 20, 20, 0, 1000);
    // V = 127.5: P and Pi both round to the even 128.
    EXPECT_EQ(printed().back(), "G1 X20.0000 128 128 1.2750 0.0128 12.7500");
}

TEST_F(EmitterFixture, ArcMovesTheDirAxisBySweep) {
    settings.maskText = "[G] [X] [Y] [I] [J] [A]";
    move(true, 0, 10, 10, 0, 1000);
    Fixed4 before = a;
    arc(ArcTurn::Clockwise, 20, 10, 5);
    EXPECT_EQ(printed().back(),
              "G2 X20.0000 Y10.0000 I5.0000 J0.0000 0.7143");  // A started at -0.0707 (the first rapid runs backwards)
    EXPECT_EQ((a - before).raw, 7850);
    // A circle given as one arc ends where it starts: nothing is printed.
    std::size_t count = lines.size();
    arc(ArcTurn::CounterclockwiseSweep, 20, 10, -5);
    EXPECT_EQ(lines.size(), count);
}

TEST_F(EmitterFixture, LineLeadingStraightIntoAnArcKeepsItsEndPoint) {
    settings.maskText = "[G] [X] [Y] [I] [J]";
    move(true, 0, 0, 0, 0, 1000);
    move(false, 0, 10, 0, 0, 1000);
    arc(ArcTurn::Clockwise, 20, 0, 5);
    auto out = printed();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], "G1 X10.0000 Y0.0000 ");
    EXPECT_EQ(out[2], "G2 X20.0000 Y0.0000 I5.0000 J0.0000");
}

TEST_F(EmitterFixture, OriginOffsetsApplyToPointsButNotToCentreOffsets) {
    settings.maskText = "[G] [X] [Y] [I] [J]";
    w.origin = {mm(-20), mm(-10)};
    move(true, 0, 0, 0, 0, 1000);
    arc(ArcTurn::Counterclockwise, 10, 0, 5);
    EXPECT_EQ(printed().front(), "G0 X-20.0000 Y-10.0000 ");
    EXPECT_EQ(printed().back(), "G3 X-10.0000 Y-10.0000 I5.0000 J0.0000");
}

TEST_F(EmitterFixture, LastMoveStaysPending) {
    move(true, 0, 0, 0, 0, 1000);
    move(false, 0, 10, 0, 0, 1000);
    EXPECT_EQ(lines.size(), 1u);
    ResetEmitter(w.out);
    move(true, 0, 3, 3, 0, 1000);
    EXPECT_EQ(printed().back(), "G0 X3.0000 Y3.0000 Z0.0000 F1000 ");
}

// The emitter keeps the text of lines that repeat at one level; every value
// written into that text must still reach the next line when it changes.
TEST_F(EmitterFixture, RepeatedLinesFollowEveryChangeOfTheirValues) {
    settings.maskText = "[G] [X] [Z] [F] S[P]";
    double x = 0;
    double z = 2;
    // Lines at levels 100 and 50 in turn; the last printed is at level 100.
    auto fourLines = [&] {
        for (int i = 0; i < 4; ++i) { move(false, i % 2 == 0 ? 100 : 50, ++x, 0, z, 2000); }
        return printed().back();
    };
    move(true, 0, 0, 0, z, 2000);
    EXPECT_EQ(fourLines(), "G1 X3.0000 Z2.0000 F2000 S100");
    w.numberFormat.decimals = 2;
    EXPECT_EQ(fourLines(), "G1 X7.00 Z2.00 F2000 S100");
    settings.powerMaxPwm = mm(1000);
    settings.pwmMax = mm(1000);
    EXPECT_EQ(fourLines(), "G1 X11.00 Z2.00 F2000 S392");
    z = 3;
    EXPECT_EQ(fourLines(), "G1 X15.00 Z3.00 F2000 S392");
    settings.maskText = "[G] [X] P[P]";
    EXPECT_EQ(fourLines(), "G1 X19.00 P392");
}
