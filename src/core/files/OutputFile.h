#pragma once
// Writing an output file so that a run either delivers the whole file or
// leaves everything as it was. A regular file (or a missing one) is written to
// a temporary file of a unique name created in the same folder, synced to disk
// and renamed over the target, which keeps the target's permissions; a
// symbolic link is followed, so the file it names is replaced and the link
// stays; a device or FIFO is written directly. Nothing reaches the target
// before commit(); abandoning (or destroying an uncommitted file) removes the
// temporary file.
//
// Blocks are buffered here, so many small writes cost little and a large
// program never has to be held in memory as one text.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace bw {

class OutputFile {
public:
    // Prepares writing to `target`. Fails (naming the file) when its folder is
    // missing or not writable, or the target is a folder.
    static Result<OutputFile> Open(const std::filesystem::path& target);
    // Standard output: commit() flushes it and reports a failed or short write.
    static OutputFile StandardOutput();

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Appends a block. The first failure is kept and reported by commit().
    void write(std::string_view block);
    // Writes what is buffered, syncs and puts the file in place. After a
    // failure the target is untouched (for a regular file) and the error
    // names the file.
    Status commit();
    // Drops what was written; the target stays as it was.
    void abandon();

    // The file name used in messages.
    const std::string& displayName() const { return name_; }

private:
    OutputFile() = default;
    bool flushBuffer();
    void writeThrough(std::string_view bytes);
    void fail(const std::string& what, int error);
    void closeQuietly();

    int fd_ = -1;
    bool ownsFd_ = true;               // false for standard output
    bool direct_ = false;              // device or FIFO: no temporary file
    std::filesystem::path target_;     // where the file ends up (links resolved)
    std::filesystem::path temporary_;  // empty when writing directly
    std::string name_;
    std::string buffer_;
    std::string error_;
    std::uint64_t written_ = 0;           // bytes in the file so far
    std::uint64_t writebackStarted_ = 0;  // bytes already handed to the disk
};

// Convenience for texts already in memory: open, write, commit.
Status WriteWholeFile(const std::filesystem::path& target, std::string_view text);

// True when both names lead to the same existing file (after links), so that
// a run never writes its output over one of its own inputs.
bool IsSameFile(const std::filesystem::path& first, const std::filesystem::path& second);

}  // namespace bw
