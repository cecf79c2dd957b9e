#include "settings/HexText.h"

namespace bw {

namespace {

int nibble(char c) {
    if (c >= '0' && c <= '9') { return c - '0'; }
    if (c >= 'A' && c <= 'F') { return c - 'A' + 10; }
    if (c >= 'a' && c <= 'f') { return c - 'a' + 10; }
    return -1;
}

}  // namespace

std::string EncodeHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        hex.push_back(kDigits[byte >> 4]);
        hex.push_back(kDigits[byte & 15]);
    }
    return hex;
}

std::optional<std::string> DecodeHex(std::string_view hex) {
    while (!hex.empty() && (hex.front() == ' ' || hex.front() == '\t')) { hex.remove_prefix(1); }
    while (!hex.empty() && (hex.back() == ' ' || hex.back() == '\t')) { hex.remove_suffix(1); }
    if (hex.size() % 2 != 0) { return std::nullopt; }
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int high = nibble(hex[i]);
        int low = nibble(hex[i + 1]);
        if (high < 0 || low < 0) { return std::nullopt; }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

}  // namespace bw
