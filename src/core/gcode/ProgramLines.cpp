#include "gcode/ProgramLines.h"

#include <algorithm>

namespace bw {

void ProgramLines::clear() {
    chunks_.clear();
    chunkFirstEntry_.clear();
    starts_.clear();
    textSize_ = 0;
}

void ProgramLines::append(std::string_view entry) {
    std::size_t needed = entry.size() + 2;
    if (chunks_.empty() || chunks_.back().capacity() - chunks_.back().size() < needed) {
        chunks_.emplace_back().reserve(std::max(kChunkBytes, needed));
        chunkFirstEntry_.push_back(starts_.size());
    }
    std::string& chunk = chunks_.back();
    starts_.push_back(static_cast<std::uint32_t>(chunk.size()));
    chunk.append(entry);
    chunk.append("\r\n", 2);
    textSize_ += needed;
}

std::string_view ProgramLines::entry(std::size_t index) const {
    auto after = std::upper_bound(chunkFirstEntry_.begin(), chunkFirstEntry_.end(), index);
    std::size_t chunkIndex = static_cast<std::size_t>(after - chunkFirstEntry_.begin()) - 1;
    const std::string& chunk = chunks_[chunkIndex];
    std::size_t begin = starts_[index];
    bool lastInChunk = chunkIndex + 1 == chunkFirstEntry_.size() ? index + 1 == starts_.size()
                                                                 : index + 1 == chunkFirstEntry_[chunkIndex + 1];
    std::size_t end = lastInChunk ? chunk.size() : starts_[index + 1];
    return std::string_view(chunk).substr(begin, end - begin - 2);
}

std::string ProgramLines::text() const {
    std::string all;
    all.reserve(textSize_);
    for (const std::string& chunk : chunks_) { all.append(chunk); }
    return all;
}

std::size_t ProgramLines::capacityBytes() const {
    std::size_t bytes = starts_.size() * sizeof(std::uint32_t) + chunkFirstEntry_.capacity() * sizeof(std::size_t);
    for (const std::string& chunk : chunks_) { bytes += chunk.capacity(); }
    return bytes;
}

}  // namespace bw
