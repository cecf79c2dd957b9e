#include "files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>

namespace bw {

namespace {

std::string cannotRead(const std::filesystem::path& path, const std::string& reason) {
    return "Cannot read \"" + path.string() + "\": " + reason;
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) { return Error{cannotRead(path, std::system_category().message(errno))}; }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Error{cannotRead(path, "it is a folder")};
    }
    std::string content;
    std::string failure;
    try {
        // The size the file claims only sizes the first allocation; the cap applies to what arrives.
        if (S_ISREG(info.st_mode) && info.st_size > 0) {
            content.reserve(static_cast<std::size_t>(std::min<off_t>(info.st_size, static_cast<off_t>(maxBytes)) + 1));
        }
        char block[65536];
        while (failure.empty()) {
            ssize_t got = ::read(fd, block, sizeof block);
            if (got < 0 && errno == EINTR) { continue; }
            if (got < 0) {
                failure = std::system_category().message(errno);
            } else if (got == 0) {
                break;
            } else if (content.size() + static_cast<std::size_t>(got) > maxBytes) {
                failure = "it is larger than " + std::to_string(maxBytes >> 20) + " MiB";
            } else {
                content.append(block, static_cast<std::size_t>(got));
            }
        }
    } catch (const std::bad_alloc&) { failure = "not enough memory to read it"; }
    ::close(fd);
    if (!failure.empty()) { return Error{cannotRead(path, failure)}; }
    return content;
}

}  // namespace bw
