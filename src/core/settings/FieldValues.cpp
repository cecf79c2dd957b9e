#include "settings/FieldValues.h"

namespace bw {

std::string FieldValues::text(std::string_view id, std::string_view fallback) const {
    auto found = texts.find(id);
    return found == texts.end() ? std::string(fallback) : found->second;
}

bool FieldValues::flag(std::string_view id, bool fallback) const {
    auto found = flags.find(id);
    return found == flags.end() ? fallback : found->second;
}

int FieldValues::index(std::string_view id, int fallback) const {
    auto found = indices.find(id);
    return found == indices.end() ? fallback : found->second;
}

}  // namespace bw
