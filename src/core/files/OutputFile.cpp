#include "files/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>
#include <utility>

namespace bw {

namespace fs = std::filesystem;

namespace {

// Larger blocks go straight to the file; smaller ones are gathered up to this size.
constexpr std::size_t kBufferSize = std::size_t(1) << 18;
// Written bytes handed to the disk at a time while a file is being made.
constexpr std::uint64_t kWritebackStep = std::uint64_t(16) << 20;
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kMaxNameBytes = 200;  // leaves room for the temporary suffix within NAME_MAX

std::string describe(int error) { return std::system_category().message(error); }
std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

// Follows a chain of symbolic links to the name that will really be written,
// also when the last link points to a file that does not exist yet.
Result<fs::path> followLinks(fs::path path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) { return path; }
        std::error_code error;
        fs::path next = fs::read_symlink(path, error);
        if (error) { return Error{error.message()}; }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return Error{describe(ELOOP)};
}

bool writeAll(int fd, const char* data, std::size_t size, int& error) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) { continue; }
            error = errno;
            return false;
        }
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string randomSuffix(std::random_device& source) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (unsigned bits = source(), i = 0; i < 6; ++i, bits /= 36) { suffix += kDigits[bits % 36]; }
    return suffix;
}

// Creates "<name>.<random>.part" beside the target, never through an existing name or link.
int createTemporary(const fs::path& target, fs::path& temporary, int& error) {
    fs::path folder = target.parent_path();
    std::string base = target.filename().string().substr(0, kMaxNameBytes);
    std::random_device source;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / (base + "." + randomSuffix(source) + ".part");
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) { return fd; }
        if (errno != EEXIST) { break; }
    }
    error = errno;
    temporary.clear();
    return -1;
}

}  // namespace

Result<OutputFile> OutputFile::Open(const fs::path& target) {
    OutputFile file;
    file.name_ = target.string();
    if (target.empty()) { return Error{"No output file name given"}; }
    struct stat info {};
    bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) { return Error{"Cannot write " + inQuotes(file.name_) + ": it is a folder"}; }
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or FIFO is the destination itself: it cannot be replaced, only written. It is
        // opened by the name given, so that links such as /dev/stdout keep working.
        file.direct_ = true;
        file.fd_ = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (file.fd_ < 0) { return Error{"Cannot write " + inQuotes(file.name_) + ": " + describe(errno)}; }
        return file;
    }
    auto resolved = followLinks(target);
    if (!resolved) { return Error{"Cannot write " + inQuotes(file.name_) + ": " + resolved.error()}; }
    file.target_ = *resolved;
    if (exists && ::access(file.target_.c_str(), W_OK) != 0) {
        return Error{"Cannot write " + inQuotes(file.name_) + ": " + describe(errno)};
    }
    int error = 0;
    file.fd_ = createTemporary(file.target_, file.temporary_, error);
    if (file.fd_ < 0) { return Error{"Cannot write " + inQuotes(file.name_) + ": " + describe(error)}; }
    if (exists) {
        // The new file takes the place of the old one with its permissions (and owner, where allowed).
        if (::fchmod(file.fd_, info.st_mode & 07777) != 0) {
            int failed = errno;
            file.abandon();
            return Error{"Cannot write " + inQuotes(file.name_) + ": " + describe(failed)};
        }
        if (::fchown(file.fd_, info.st_uid, info.st_gid) != 0) { /* another owner is kept only by root */
        }
    }
    return file;
}

OutputFile OutputFile::StandardOutput() {
    OutputFile file;
    file.fd_ = STDOUT_FILENO;
    file.ownsFd_ = false;
    file.direct_ = true;
    file.name_ = "standard output";
    return file;
}

OutputFile::OutputFile(OutputFile&& other) noexcept { *this = std::move(other); }

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        abandon();
        fd_ = std::exchange(other.fd_, -1);
        ownsFd_ = other.ownsFd_;
        direct_ = other.direct_;
        target_ = std::move(other.target_);
        temporary_ = std::exchange(other.temporary_, {});
        name_ = std::move(other.name_);
        buffer_ = std::move(other.buffer_);
        error_ = std::move(other.error_);
        written_ = std::exchange(other.written_, 0);
        writebackStarted_ = std::exchange(other.writebackStarted_, 0);
    }
    return *this;
}

OutputFile::~OutputFile() { abandon(); }

void OutputFile::fail(const std::string& what, int error) {
    // "Cannot write "job.nc": ...", "Cannot write to standard output: ..."
    const std::string label = ownsFd_ ? inQuotes(name_) : "to " + name_;
    if (error_.empty()) { error_ = what + " " + label + ": " + describe(error); }
}

bool OutputFile::flushBuffer() {
    if (!error_.empty()) { return false; }
    if (fd_ < 0) {
        error_ = "Cannot write " + inQuotes(name_) + ": the file is already closed";
        return false;
    }
    writeThrough(buffer_);
    buffer_.clear();
    return error_.empty();
}

void OutputFile::writeThrough(std::string_view bytes) {
    int error = 0;
    if (!writeAll(fd_, bytes.data(), bytes.size(), error)) {
        fail("Cannot write", error);
        return;
    }
    written_ += bytes.size();
    // The disk starts on what is written while the rest is made, so the sync
    // at commit has only the tail left to wait for. Only a hint: commit's sync
    // reports any failure.
    if (!direct_ && written_ - writebackStarted_ >= kWritebackStep) {
        ::sync_file_range(fd_, static_cast<off_t>(writebackStarted_), static_cast<off_t>(written_ - writebackStarted_),
                          SYNC_FILE_RANGE_WRITE);
        writebackStarted_ = written_;
    }
}

void OutputFile::write(std::string_view block) {
    if (!error_.empty()) { return; }
    if (buffer_.size() + block.size() > kBufferSize) {
        if (!flushBuffer()) { return; }
        if (block.size() >= kBufferSize) {
            writeThrough(block);
            return;
        }
    }
    if (buffer_.capacity() < kBufferSize) { buffer_.reserve(kBufferSize); }
    buffer_.append(block);
}

Status OutputFile::commit() {
    if (!flushBuffer()) {
        std::string message = error_;
        abandon();
        return Error{message};
    }
    if (!ownsFd_) { return success(); }
    // A FIFO or terminal cannot be synced; only a real failure of a disk file counts.
    if (::fsync(fd_) != 0 && !(direct_ && (errno == EINVAL || errno == EROFS || errno == ENOTSUP))) {
        fail("Cannot write", errno);
    }
    if (::close(std::exchange(fd_, -1)) != 0 && errno != EINTR) { fail("Cannot write", errno); }
    if (error_.empty() && !direct_ && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail("Cannot replace", errno);
    }
    if (!error_.empty()) {
        std::string message = error_;
        abandon();
        return Error{message};
    }
    temporary_.clear();
    // The rename itself reaches the disk when the folder is synced.
    if (!direct_) {
        fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
        int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return success();
}

void OutputFile::abandon() {
    buffer_.clear();
    if (fd_ >= 0 && ownsFd_) { ::close(fd_); }
    fd_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

Status WriteWholeFile(const fs::path& target, std::string_view text) {
    auto file = OutputFile::Open(target);
    if (!file) { return Error{file.error()}; }
    file->write(text);
    return file->commit();
}

bool IsSameFile(const fs::path& first, const fs::path& second) {
    struct stat a {
    }, b{};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

}  // namespace bw
