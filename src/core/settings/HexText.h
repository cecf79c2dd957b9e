#pragma once
// Multi-line texts stored in one INI value: every byte as two hexadecimal digits.

#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Two uppercase hexadecimal digits per byte.
std::string EncodeHex(std::string_view bytes);
// Either case; blanks around the value are ignored. An odd digit count or a
// character that is not a hexadecimal digit gives nullopt.
std::optional<std::string> DecodeHex(std::string_view hex);

}  // namespace bw
