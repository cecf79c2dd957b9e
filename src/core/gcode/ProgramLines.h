#pragma once
// The program being built: a list of entries (one per header, printed move and
// footer; an entry may itself hold CR LF from "[E]"). Entries are stored in
// large chunks exactly as they are written to a file, each followed by CR LF, so
// a ten-million-line program costs no allocation per line and saving is a copy
// of the chunks. A program meant only for a file can instead be streamed: each
// full chunk goes to a sink and its room is used again, so memory stays small.
// Two chunks take turns, so a sink may go on writing one block on a thread of
// its own while the next is filled.

#include <cstddef>
#include <cstdint>
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
    // A block stays as it is until the sink's next call returns, so the sink may
    // hand it on and return at once; whoever ends the streaming makes sure the
    // last block is done with first.
    using Sink = std::function<void(std::string_view)>;

    std::size_t size() const { return held_ + streamed_; }
    bool empty() const { return size() == 0; }
    // Forgets every entry; a sink stays.
    void clear();
    // From now on full chunks go to `sink` (what is held so far goes at once) and
    // only entries not yet handed on can be read back; an empty sink ends this.
    void streamTo(Sink sink);
    // Hands everything held to the sink (nothing without one).
    void flush();
    void append(std::string_view entry);
    // Appends every entry of `other` (which streams nothing) after these,
    // taking over its chunks instead of copying them; `other` is left empty.
    // While streaming, the rooms the sink is done with go back to `other`, so
    // that a program built beside this one in turns reuses the same memory.
    void appendAll(ProgramLines&& other);
    // Writing an entry in place: write at most `maxBytes` bytes from the returned
    // pointer, then call endEntry with the end of what was written.
    char* beginEntry(std::size_t maxBytes) {
        if (!chunks_.empty() && chunks_.back().capacity - chunks_.back().size >= maxBytes + 2) {
            return chunks_.back().data.get() + chunks_.back().size;
        }
        return beginEntryInNewRoom(maxBytes);
    }
    // Inlined: it runs for every printed line.
    [[gnu::always_inline]] void endEntry(const char* end) {
        Chunk& chunk = chunks_.back();
        const std::size_t start = chunk.size;
        char* line = chunk.data.get() + start;
        const auto bytes = static_cast<std::size_t>(end - line) + 2;
        __builtin_memcpy(line + bytes - 2, "\r\n", 2);
        chunk.size = start + bytes;
        textSize_ += bytes;
        ++held_;
        chunk.starts.push_back(static_cast<std::uint32_t>(start));
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
        for (const Chunk& chunk : chunks_) {
            const char* data = chunk.data.get();
            for (std::size_t i = 0; i < chunk.starts.size(); ++i) {
                const std::size_t end = i + 1 < chunk.starts.size() ? chunk.starts[i + 1] : chunk.size;
                visit(std::string_view(data + chunk.starts[i], end - chunk.starts[i] - 2));
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
        std::vector<std::uint32_t> starts;  // offset of each entry in the chunk
    };
    static constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
    // Emptied rooms kept for the next chunks: fresh memory costs a page fault
    // per page, and a streamed program would take new memory for every block.
    static constexpr std::size_t kSpareRooms = 8;
    void keepRoom(Chunk&& chunk);
    Chunk& chunkWithRoom(std::size_t bytes);
    char* beginEntryInNewRoom(std::size_t maxBytes);

    std::vector<Chunk> chunks_;
    Chunk handed_;                              // while streaming: the room of the block the sink got last
    std::vector<Chunk> spare_;                  // emptied rooms of kChunkBytes, at most kSpareRooms
    std::vector<std::size_t> chunkFirstEntry_;  // index of the first entry of each chunk
    std::size_t held_ = 0;                      // entries not yet handed on
    std::size_t textSize_ = 0;
    Sink sink_;
    std::size_t streamed_ = 0;  // entries handed to the sink
};

}  // namespace bw
