#include <gtest/gtest.h>

#include <random>

#include "gcode/CleanLine.h"
#include "gcode/GCodeMask.h"

using namespace bw;

namespace {

// Distinct, recognisable values so that a misplaced slot shows.
class NamedValues final : public MaskValues {
public:
    char* write(MaskToken token, char* out) const override {
        std::string value = token == MaskToken::E ? "\r\n" : "v" + std::to_string(static_cast<int>(token));
        return std::copy(value.begin(), value.end(), out);
    }
};

}  // namespace

TEST(CleanLine, RemovesUnfilledGroupsAndCollapsesSpaces) {
    EXPECT_EQ(CleanLine("G1 X1 [y] [z] F5 (S)[p]"), "G1 X1 F5 ");
    EXPECT_EQ(CleanLine("G1 (S)120"), "G1 S120");
    EXPECT_EQ(CleanLine("G1[E]M3"), "G1\r\nM3");
    EXPECT_EQ(CleanLine("] [x] G0"), "] [x] G0");  // a stray "]" in front stops the token cut
    EXPECT_EQ(CleanLine("(((a)[b]"), "");
    EXPECT_EQ(CleanLine("[[[["), "[[[[");
    EXPECT_EQ(CleanLine(")[x"), "[x");
    EXPECT_EQ(CleanLine(""), "");
}

TEST(CleanLine, HostileMasksTerminate) {
    std::string unbalanced;
    for (int i = 0; i < 10000; ++i) { unbalanced.push_back("[]() x"[i % 6]); }
    EXPECT_LE(CleanLine(unbalanced).size(), unbalanced.size());
    EXPECT_EQ(CleanLine(std::string(10000, '[')), std::string(10000, '['));
    EXPECT_EQ(CleanLine(std::string(10000, ']')), std::string(10000, ']'));
    std::string groups;
    for (int i = 0; i < 2000; ++i) { groups += "(S)[p]"; }
    EXPECT_EQ(CleanLine(groups), "");
}

TEST(CompiledMask, FallsBackForTokenFormingMasks) {
    EXPECT_TRUE(CompiledMask("[G] [x] (S)[p]").compiled());
    EXPECT_FALSE(CompiledMask("[P[P]]").compiled());
    EXPECT_FALSE(CompiledMask("[unknown]").compiled());
    // Filling "[P]" forms "[P0]", which a later step fills in turn.
    class Zero final : public MaskValues {
        char* write(MaskToken token, char* out) const override {
            std::string_view value = token == MaskToken::P ? "0" : "<P0>";
            return std::copy(value.begin(), value.end(), out);
        }
    } zero;
    CompiledMask mask("[P[P]]");
    EXPECT_EQ(mask.renderToString(bit(MaskToken::P) | bit(MaskToken::P0), false, zero), "<P0>");
}

// The compiled mask must print exactly what the literal replace-and-clean rules print.
TEST(CompiledMask, MatchesTheLiteralRulesOnRandomMasks) {
    static const char* pieces[] = {"[G]", "[x]",  "[X]",   "[y]", "[Y]",  "[z]",      "[Z]", "[I]", "[J]", "[f]", "[F]",
                                   "[p]", "[pi]", "[p00]", "[P]", "[Pi]", "[Pi0000]", "[a]", "[A]", "[E]", "(S)", "(",
                                   ")",   "[",    "]",     " ",   "  ",   "S",        "M3",  ";",   "[q]", "]["};
    std::mt19937 random(1234);
    NamedValues values;
    int compiledCount = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 10);
        for (int i = 0; i < length; ++i) { text += pieces[random() % std::size(pieces)]; }
        CompiledMask mask(text);
        compiledCount += mask.compiled();
        for (int variant = 0; variant < 4; ++variant) {
            FilledTokens filled = (FilledTokens(random()) << 32 | random()) | bit(MaskToken::E);
            bool arc = variant % 2 == 0;
            std::string out = mask.renderToString(filled, arc, values);
            ASSERT_EQ(out, FillMaskLiterally(text, filled, arc, values)) << "mask: " << text;
        }
    }
    EXPECT_GT(compiledCount, 5000);
}
