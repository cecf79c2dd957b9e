#include "common/QuotedText.h"

namespace bw {

namespace {

// Length of the valid UTF-8 sequence starting at `text[at]` (2..4 bytes), or 0.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || at + length > text.size()) { return 0; }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) { return 0; }
    }
    return length;
}

}  // namespace

std::string QuoteForMessage(std::string_view text, std::size_t shownBytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out(1, '\'');
    std::size_t at = 0;
    for (; at < text.size() && at < shownBytes; ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            out.push_back(static_cast<char>(byte));
        } else if (std::size_t length = byte >= 0x80 ? sequenceLength(text, at) : 0; length > 0) {
            out.append(text.substr(at, length));
            at += length - 1;
        } else {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        }
    }
    if (at < text.size()) { out += "..."; }
    out.push_back('\'');
    return out;
}

}  // namespace bw
