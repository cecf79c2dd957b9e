#pragma once
// Reading a whole input file with a size cap that holds whatever the file is:
// the cap counts the bytes really read, so a device such as /dev/zero or a
// FIFO that never ends is refused instead of filling the memory. A folder
// where a file belongs is an error, never an empty text.

#include <cstddef>
#include <filesystem>
#include <string>

#include "common/Result.h"

namespace bw {

// Header and footer texts, profiles and settings files: far above any real one.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t(16) << 20;

// The file's bytes, or an error naming the file ("... is larger than N MiB",
// "... is a folder", or the system's reason).
Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace bw
