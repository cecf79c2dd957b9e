#include "job/JobParameters.h"

#include <cstdint>

namespace bw {

std::string withoutTrailingLineBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) { text.pop_back(); }
    return text;
}

}  // namespace bw

namespace bw {

Result<std::int32_t> parseFeed(std::string_view text, std::string_view fieldName) {
    auto value = parseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX) {
        return Error{std::string(fieldName) + ": \"" + std::string(text) + "\" is not a whole number"};
    }
    return static_cast<std::int32_t>(*value);
}

}  // namespace bw
