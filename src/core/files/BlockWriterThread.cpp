#include "files/BlockWriterThread.h"

#include <system_error>
#include <utility>

namespace bw {

BlockWriterThread::~BlockWriterThread() {
    {
        std::unique_lock lock(mutex_);
        waitUntilIdle(lock);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) { thread_.join(); }
}

void BlockWriterThread::waitUntilIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !inHand_; });
}

void BlockWriterThread::write(std::string_view block) {
    if (!thread_.joinable() && !direct_) {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            direct_ = true;  // no thread to be had: the blocks are written here, one after the other
        }
    }
    if (direct_) {
        output_.write(block);
        return;
    }
    {
        std::unique_lock lock(mutex_);
        waitUntilIdle(lock);
        block_ = block;
        inHand_ = true;
    }
    changed_.notify_all();
}

void BlockWriterThread::wait() {
    std::unique_lock lock(mutex_);
    waitUntilIdle(lock);
    if (failure_) { std::rethrow_exception(std::exchange(failure_, nullptr)); }
}

void BlockWriterThread::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return inHand_ || stopping_; });
        if (!inHand_) { return; }
        lock.unlock();
        try {
            if (!failure_) { output_.write(block_); }
        } catch (...) { failure_ = std::current_exception(); }
        lock.lock();
        inHand_ = false;
        changed_.notify_all();
    }
}

}  // namespace bw
