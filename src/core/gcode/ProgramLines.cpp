#include "gcode/ProgramLines.h"

#include <algorithm>
#include <cstring>

namespace bw {

ProgramLines& ProgramLines::operator=(const ProgramLines& other) {
    if (this == &other) { return *this; }
    clear();
    for (std::size_t i = 0; i < other.size(); ++i) { append(other.entry(i)); }
    return *this;
}

void ProgramLines::keepRoom(Chunk&& chunk) {
    if (spare_.size() >= kSpareRooms || !chunk.data || chunk.capacity != kChunkBytes) { return; }
    chunk.size = 0;
    chunk.starts.clear();
    spare_.push_back(std::move(chunk));
}

void ProgramLines::clear() {
    for (Chunk& chunk : chunks_) { keepRoom(std::move(chunk)); }
    chunks_.clear();
    chunkFirstEntry_.clear();
    held_ = 0;
    textSize_ = 0;
    streamed_ = 0;
}

void ProgramLines::streamTo(Sink sink) {
    sink_ = std::move(sink);
    flush();
}

void ProgramLines::flush() {
    if (!sink_) { return; }
    for (Chunk& chunk : chunks_) {
        if (chunk.size > 0) { sink_(std::string_view(chunk.data.get(), chunk.size)); }
    }
    streamed_ += held_;
    held_ = 0;
    // The sink may still be reading the last block: the next entries go to the
    // room of the block handed on before it, which the sink is done with.
    if (!chunks_.empty()) {
        Chunk last = std::move(chunks_.back());
        chunks_.pop_back();
        for (Chunk& chunk : chunks_) { keepRoom(std::move(chunk)); }
        chunks_.clear();
        if (handed_.data) { chunks_.push_back(std::move(handed_)); }
        handed_ = std::move(last);
    }
    for (Chunk& chunk : chunks_) {
        chunk.size = 0;
        chunk.starts.clear();
    }
    chunkFirstEntry_.assign(chunks_.size(), 0);
}

ProgramLines::Chunk& ProgramLines::chunkWithRoom(std::size_t bytes) {
    if (sink_ && !chunks_.empty() && chunks_.back().capacity - chunks_.back().size < bytes) {
        flush();
        if (!chunks_.empty() && chunks_.back().capacity >= bytes) { return chunks_.back(); }
    }
    if (chunks_.empty() || chunks_.back().capacity - chunks_.back().size < bytes) {
        if (!spare_.empty() && bytes <= kChunkBytes) {
            chunks_.push_back(std::move(spare_.back()));
            spare_.pop_back();
        } else {
            Chunk chunk;
            chunk.capacity = std::max(kChunkBytes, bytes);
            chunk.data = std::make_unique_for_overwrite<char[]>(chunk.capacity);
            chunk.starts.reserve(chunk.capacity / 32);  // lines are rarely shorter
            chunks_.push_back(std::move(chunk));
        }
        chunkFirstEntry_.push_back(held_);
    }
    return chunks_.back();
}

void ProgramLines::append(std::string_view entry) {
    char* at = beginEntry(entry.size());
    std::memcpy(at, entry.data(), entry.size());
    endEntry(at + entry.size());
}

void ProgramLines::appendAll(ProgramLines&& other) {
    for (std::size_t k = 0; k < other.chunks_.size(); ++k) {
        chunkFirstEntry_.push_back(held_ + other.chunkFirstEntry_[k]);
        chunks_.push_back(std::move(other.chunks_[k]));
    }
    held_ += other.held_;
    textSize_ += other.textSize_;
    other.chunks_.clear();
    other.clear();
    // The chunks taken over are full or nearly so: they go on at once.
    flush();
    for (Chunk& room : spare_) { other.keepRoom(std::move(room)); }
    spare_.clear();
}

char* ProgramLines::beginEntryInNewRoom(std::size_t maxBytes) {
    Chunk& chunk = chunkWithRoom(maxBytes + 2);
    return chunk.data.get() + chunk.size;
}

std::string_view ProgramLines::entry(std::size_t index) const {
    auto after = std::upper_bound(chunkFirstEntry_.begin(), chunkFirstEntry_.end(), index);
    std::size_t chunkIndex = static_cast<std::size_t>(after - chunkFirstEntry_.begin()) - 1;
    const Chunk& chunk = chunks_[chunkIndex];
    const std::size_t local = index - chunkFirstEntry_[chunkIndex];
    std::size_t begin = chunk.starts[local];
    std::size_t end = local + 1 < chunk.starts.size() ? chunk.starts[local + 1] : chunk.size;
    return std::string_view(chunk.data.get() + begin, end - begin - 2);
}

std::string ProgramLines::text() const {
    std::string all;
    all.reserve(textSize_);
    forEachChunk([&](std::string_view chunk) { all.append(chunk); });
    return all;
}

std::size_t ProgramLines::capacityBytes() const {
    std::size_t bytes = chunkFirstEntry_.capacity() * sizeof(std::size_t);
    for (const Chunk& chunk : chunks_) { bytes += chunk.capacity + chunk.starts.capacity() * sizeof(std::uint32_t); }
    bytes += handed_.capacity + handed_.starts.capacity() * sizeof(std::uint32_t);
    for (const Chunk& room : spare_) { bytes += room.capacity + room.starts.capacity() * sizeof(std::uint32_t); }
    return bytes;
}

}  // namespace bw
