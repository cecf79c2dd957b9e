#pragma once
// Text taken from a file, made safe to show in a message: between single
// quotes, control characters and bytes that are not UTF-8 written as \xNN
// (a NUL byte never ends or hides the message), and cut short when long.

#include <cstddef>
#include <string>
#include <string_view>

namespace bw {

// "'12.x5'", "'ab\x00c'", "'<first 40 bytes>...'".
std::string QuoteForMessage(std::string_view text, std::size_t shownBytes = 40);

}  // namespace bw
