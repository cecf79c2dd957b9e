#pragma once
// The program being built: a list of entries (one per header, printed move and
// footer; an entry may itself hold CR LF from "[E]"). Entries are stored in
// large chunks exactly as they are written to a file, each followed by CR LF, so
// a ten-million-line program costs no allocation per line and saving is a copy
// of the chunks. A program meant only for a file can instead be streamed: each
// full chunk goes to a sink and its room is used again, so memory stays small.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ProgramLines {
public:
    ProgramLines() = default;
    ProgramLines(ProgramLines&&) noexcept = default;
    ProgramLines& operator=(ProgramLines&&) noexcept = default;
    ProgramLines(const ProgramLines& other) { *this = other; }
    ProgramLines& operator=(const ProgramLines& other);

    // Receives the text in order, in blocks of whole entries each followed by CR LF.
    using Sink = std::function<void(std::string_view)>;

    std::size_t size() const { return starts_.size() + streamed_; }
    bool empty() const { return size() == 0; }
    // Forgets every entry; a sink stays.
    void clear();
    // From now on full chunks go to `sink` (what is held so far goes at once) and
    // only entries not yet handed on can be read back; an empty sink ends this.
    void streamTo(Sink sink);
    // Hands everything held to the sink (nothing without one).
    void flush();
    void append(std::string_view entry);
    // Writing an entry in place: write at most `maxBytes` bytes from the returned
    // pointer, then call endEntry with the end of what was written.
    char* beginEntry(std::size_t maxBytes) {
        if (!chunks_.empty() && chunks_.back().capacity - chunks_.back().size >= maxBytes + 2) {
            return chunks_.back().data.get() + chunks_.back().size;
        }
        return beginEntryInNewRoom(maxBytes);
    }
    void endEntry(const char* end) {
        Chunk& chunk = chunks_.back();
        auto written = static_cast<std::size_t>(end - (chunk.data.get() + chunk.size));
        starts_.push_back(static_cast<std::uint32_t>(chunk.size));
        chunk.data[chunk.size + written] = '\r';
        chunk.data[chunk.size + written + 1] = '\n';
        chunk.size += written + 2;
        textSize_ += written + 2;
    }
    // The entry without its line end (index among the entries not yet handed on).
    std::string_view entry(std::size_t index) const;
    // All entries held, each followed by CR LF: what a file holds and the clipboard gets.
    std::string text() const;
    // Bytes of the whole program, streamed ones included.
    std::size_t textSize() const { return textSize_; }
    // Bytes held, for the memory benchmark.
    std::size_t capacityBytes() const;
    // Visits every entry in order without its line end (faster than entry() one by one).
    template <typename Visit>
    void forEachEntry(Visit&& visit) const {
        for (std::size_t c = 0; c < chunks_.size(); ++c) {
            const std::size_t last = c + 1 < chunks_.size() ? chunkFirstEntry_[c + 1] : starts_.size();
            const char* data = chunks_[c].data.get();
            for (std::size_t i = chunkFirstEntry_[c]; i < last; ++i) {
                const std::size_t end = i + 1 < last ? starts_[i + 1] : chunks_[c].size;
                visit(std::string_view(data + starts_[i], end - starts_[i] - 2));
            }
        }
    }
    // Visits the text in order, chunk by chunk (for writing without a copy).
    template <typename Visit>
    void forEachChunk(Visit&& visit) const {
        for (const Chunk& chunk : chunks_) { visit(std::string_view(chunk.data.get(), chunk.size)); }
    }

private:
    struct Chunk {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };
    static constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
    Chunk& chunkWithRoom(std::size_t bytes);
    char* beginEntryInNewRoom(std::size_t maxBytes);

    std::vector<Chunk> chunks_;
    std::vector<std::size_t> chunkFirstEntry_;  // index of the first entry of each chunk
    std::deque<std::uint32_t> starts_;          // offset of each entry in its chunk
    std::size_t textSize_ = 0;
    Sink sink_;
    std::size_t streamed_ = 0;  // entries handed to the sink
};

}  // namespace bw
