#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "TestSupport.h"
#include "files/BlockWriterThread.h"
#include "files/InputFile.h"
#include "files/OutputFile.h"
#include "gcode/ProgramLines.h"

using namespace bw;
using bw::test::readFile;
using bw::test::TempFolder;
using bw::test::writeFile;
namespace fs = std::filesystem;

namespace {

std::size_t entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

}  // namespace

TEST(OutputFile, NothingReachesTheTargetBeforeCommitAndAbandonLeavesNoTrace) {
    TempFolder dir;
    const fs::path target = dir.path / "job.nc";
    writeFile(target, "old");
    {
        auto file = OutputFile::Open(target);
        ASSERT_TRUE(file.ok()) << file.error();
        file->write(std::string(1 << 20, 'x'));  // beyond the buffer: on disk, but in the temporary file
        EXPECT_EQ(readFile(target), "old");
        EXPECT_EQ(entries(dir.path), 2u);
    }  // never committed
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entries(dir.path), 1u);
    auto folder = OutputFile::Open(dir.path);
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().find("folder"), std::string::npos);
    EXPECT_FALSE(OutputFile::Open(dir.path / "missing" / "job.nc").ok());
    EXPECT_EQ(entries(dir.path), 1u);
}

TEST(OutputFile, TemporaryNamesAreUniqueAndNeverFollowLinks) {
    TempFolder dir;
    const fs::path target = dir.path / "job.nc";
    writeFile(dir.path / "victim", "keep");
    fs::create_symlink(dir.path / "victim", dir.path / "job.nc.part");  // an old fixed temporary name
    // Two runs writing the same output at once: each file is whole, the last commit wins.
    auto first = OutputFile::Open(target);
    auto second = OutputFile::Open(target);
    ASSERT_TRUE(first.ok() && second.ok());
    first->write(std::string(300000, 'a'));
    second->write(std::string(500000, 'b'));
    ASSERT_TRUE(first->commit().ok());
    EXPECT_EQ(readFile(target), std::string(300000, 'a'));
    ASSERT_TRUE(second->commit().ok());
    EXPECT_EQ(readFile(target), std::string(500000, 'b'));
    EXPECT_TRUE(fs::is_symlink(dir.path / "job.nc.part"));
    EXPECT_EQ(readFile(dir.path / "victim"), "keep");
    EXPECT_EQ(entries(dir.path), 3u);
}

TEST(OutputFile, KeepsPermissionsAndWritesThroughLinks) {
    TempFolder dir;
    const fs::path real = dir.path / "real.nc";
    writeFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.nc", dir.path / "link.nc");
    ASSERT_TRUE(WriteWholeFile(dir.path / "link.nc", "new").ok());
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.nc"));
    EXPECT_EQ(readFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A link to a file not written yet: the file appears where the link points.
    fs::create_symlink("later.nc", dir.path / "dangling.nc");
    ASSERT_TRUE(WriteWholeFile(dir.path / "dangling.nc", "first").ok());
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.nc"));
    EXPECT_EQ(readFile(dir.path / "later.nc"), "first");
    EXPECT_TRUE(IsSameFile(dir.path / "link.nc", real));
    EXPECT_FALSE(IsSameFile(real, dir.path / "later.nc"));
    EXPECT_FALSE(IsSameFile(real, dir.path / "missing.nc"));
}

TEST(OutputFile, SpecialFilesAreWrittenDirectlyAndFailuresReported) {
    TempFolder dir;
    const fs::path fifo = dir.path / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readFile(fifo); });
    ASSERT_TRUE(WriteWholeFile(fifo, "G0 X1\r\n").ok());
    reader.join();
    EXPECT_EQ(received, "G0 X1\r\n");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(entries(dir.path), 1u);
    // A failure at the last step is reported, naming the file.
    fs::create_directory(dir.path / "gone");
    auto file = OutputFile::Open(dir.path / "gone" / "job.nc");
    ASSERT_TRUE(file.ok());
    file->write("G0 X1\r\n");
    fs::remove_all(dir.path / "gone");
    auto failed = file->commit();
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.error().find("job.nc"), std::string::npos);
}

TEST(BlockWriterThread, AProgramStreamedThroughItArrivesWholeAndInOrder) {
    TempFolder dir;
    const fs::path target = dir.path / "job.nc";
    auto file = OutputFile::Open(target);
    ASSERT_TRUE(file.ok()) << file.error();
    std::string expected;
    {
        BlockWriterThread writer(*file);
        ProgramLines lines;
        lines.streamTo([&](std::string_view block) { writer.write(block); });
        for (int i = 0; i < 400000; ++i) {  // several MB: the two chunks take turns many times
            std::string line = "G1 X" + std::to_string(i) + " S" + std::to_string(i % 256);
            lines.append(line);
            expected += line + "\r\n";
        }
        lines.flush();
        writer.wait();
        lines.streamTo({});
    }
    ASSERT_TRUE(file->commit().ok());
    EXPECT_TRUE(readFile(target) == expected);
}

TEST(ReadWholeFile, CapHoldsForDevicesAndFoldersAreErrors) {
    TempFolder dir;
    writeFile(dir.path / "header.txt", "G21\r\n");
    auto header = ReadWholeFile(dir.path / "header.txt", 5);
    ASSERT_TRUE(header.ok());
    EXPECT_EQ(*header, "G21\r\n");
    EXPECT_FALSE(ReadWholeFile(dir.path / "header.txt", 4).ok());
    auto endless = ReadWholeFile("/dev/zero", std::size_t(1) << 20);
    ASSERT_FALSE(endless.ok());
    EXPECT_NE(endless.error().find("larger than 1 MiB"), std::string::npos);
    auto folder = ReadWholeFile(dir.path, kMaxTextFileBytes);
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().find("folder"), std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir.path / "missing.txt", kMaxTextFileBytes).ok());
}
