#pragma once
// Writes the blocks of a large output on a thread of its own, so that the
// kernel's work of storing one block overlaps with making the next. One block
// is in hand at a time: handing on the next waits until the previous one is
// written, and the block must stay untouched until then.

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>

#include "files/OutputFile.h"

namespace bw {

class BlockWriterThread {
public:
    explicit BlockWriterThread(OutputFile& output) : output_(output) {}
    // Waits for the block in hand; a failure of its writing is not reported then.
    ~BlockWriterThread();
    BlockWriterThread(const BlockWriterThread&) = delete;
    BlockWriterThread& operator=(const BlockWriterThread&) = delete;

    // Returns once the previous block is written and this one is in hand.
    void write(std::string_view block);
    // Returns once every block is written; the output is then the caller's
    // again. Rethrows what the writing threw (running out of memory, say);
    // a failed write itself is kept by the output and reported by its commit.
    void wait();

private:
    void run();
    void waitUntilIdle(std::unique_lock<std::mutex>& lock);

    OutputFile& output_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string_view block_;
    bool inHand_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;   // started with the first block
    bool direct_ = false;  // no thread could be started: blocks are written by write()
};

}  // namespace bw
