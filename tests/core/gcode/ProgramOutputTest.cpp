#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "gcode/ProgramOutput.h"

using namespace bw;

TEST(SaveName, ExtensionRule) {
    EXPECT_EQ(ExtensionForChoice(0), "g");
    EXPECT_EQ(ExtensionForChoice(3), "tap");
    EXPECT_EQ(ExtensionForChoice(7), "");
    EXPECT_EQ(ApplySaveExtension("job", "tap"), "job.tap");
    EXPECT_EQ(ApplySaveExtension("job.TAP", "tap"), "job.TAP");
    EXPECT_EQ(ApplySaveExtension("part.txt", "nc"), "part.txt.nc");
    EXPECT_EQ(ApplySaveExtension("PART.NC", "nc"), "PART.NC");
    EXPECT_EQ(ApplySaveExtension("part.g", "nc"), "part.g.nc");
    EXPECT_EQ(ApplySaveExtension("dir.nc/part", "nc"), "dir.nc/part.nc");
}

TEST(ProgramLines, BehavesAsAListAcrossChunks) {
    ProgramLines lines;
    lines.append("");  // an empty header is still an entry
    lines.append("G0 X1\r\nM3");
    std::string big(700000, 'x');
    lines.append(big);
    lines.append(big);                         // starts a second chunk
    lines.append(std::string(3u << 20, 'y'));  // larger than a chunk
    lines.append("last");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.entry(0), "");
    EXPECT_EQ(lines.entry(1), "G0 X1\r\nM3");
    EXPECT_EQ(lines.entry(3), big);
    EXPECT_EQ(lines.entry(4).size(), 3u << 20);
    EXPECT_EQ(lines.entry(5), "last");
    std::string text = lines.text();
    EXPECT_EQ(text.size(), lines.textSize());
    EXPECT_TRUE(text.starts_with("\r\nG0 X1\r\nM3\r\nxxx"));
    EXPECT_TRUE(text.ends_with("y\r\nlast\r\n"));
    ProgramLines copy = lines;
    EXPECT_EQ(copy.text(), text);
    lines.clear();
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(lines.text(), "");

    // Streamed, the same entries reach the sink as the same text, in whole-entry blocks.
    std::string streamed;
    std::size_t blocks = 0;
    lines.append("held before streaming");
    // A block must stay as it was until the next one is handed on (a writer thread may still read it).
    std::string_view previous;
    std::string previousText;
    lines.streamTo([&](std::string_view block) {
        EXPECT_TRUE(block.ends_with("\r\n"));
        EXPECT_EQ(previous, previousText);
        previous = block;
        previousText = block;
        streamed += block;
        ++blocks;
    });
    EXPECT_EQ(streamed, "held before streaming\r\n");
    streamed.clear();
    lines.clear();
    for (std::size_t i = 0; i < copy.size(); ++i) { lines.append(copy.entry(i)); }
    EXPECT_LT(lines.text().size(), text.size());  // the full chunks are gone
    lines.flush();
    EXPECT_EQ(streamed, text);
    EXPECT_GT(blocks, 3u);
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.textSize(), text.size());
}

TEST(ProgramLines, AppendAllTakesOverAProgramBuiltBesideIt) {
    const std::string big(400000, 'b');
    auto fill = [&](ProgramLines& other, int round) {
        for (int i = 0; i < 6; ++i) { other.append(big + std::to_string(round) + std::to_string(i)); }
    };
    // Held: the entries keep their order and can be read back; writing goes on after them.
    ProgramLines held, beside, expected;
    held.append("first");
    expected.append("first");
    fill(beside, 0);
    fill(expected, 0);
    held.appendAll(std::move(beside));
    held.append("after");
    expected.append("after");
    EXPECT_TRUE(beside.empty());
    ASSERT_EQ(held.size(), expected.size());
    for (std::size_t i = 0; i < held.size(); ++i) { EXPECT_EQ(held.entry(i), expected.entry(i)) << i; }
    EXPECT_EQ(held.text(), expected.text());

    // Streamed, round after round through the same program beside it (which gets the rooms back):
    // the sink sees the same text, and no block changes before the next is handed on.
    ProgramLines streamed;
    std::string received, previousText;
    std::string_view previous;
    streamed.streamTo([&](std::string_view block) {
        EXPECT_EQ(previous, previousText);
        previous = block;
        previousText = block;
        received += block;
    });
    std::string sent;
    for (int round = 0; round < 4; ++round) {
        streamed.append("own " + std::to_string(round));
        fill(beside, round);
        sent += "own " + std::to_string(round) + "\r\n" + beside.text();
        streamed.appendAll(std::move(beside));
    }
    streamed.flush();
    EXPECT_EQ(received, sent);
    EXPECT_EQ(streamed.size(), 4u * 7u);
}

TEST(ProgramFile, WritesCrLfAndReplacesOnlyOnSuccess) {
    bw::test::TempFolder dir;
    ProgramLines lines;
    lines.append("G0 X0");
    lines.append("G1 X1");
    auto target = dir.path / "job.nc";
    ASSERT_TRUE(WriteProgram(target, lines).ok());
    EXPECT_EQ(bw::test::readFile(target), "G0 X0\r\nG1 X1\r\n");
    // A folder that does not exist: an error, and no stray temporary file.
    auto failed = WriteProgram(dir.path / "missing" / "job.nc", lines);
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.error().find("job.nc"), std::string::npos);
    // Replacing an existing file.
    ASSERT_TRUE(WriteFileAtomically(target, "new").ok());
    EXPECT_EQ(bw::test::readFile(target), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), std::filesystem::directory_iterator()), 1);
}
