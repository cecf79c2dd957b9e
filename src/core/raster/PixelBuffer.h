#pragma once
// A plain 32-bit picture: rows top to bottom, each pixel 0xAARRGGBB in one
// 32-bit word (blue in the lowest byte), as the window's bitmaps hold them.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace bw {

// The pixels of a picture, in memory of their own or in memory taken over from
// whatever decoded them (a decoder's image, kept alive with them): a large
// picture then reaches the engine without one more copy of all its pixels.
class PixelStore {
public:
    PixelStore() = default;
    PixelStore(std::size_t count, std::uint32_t fill) : own_(count, fill) { pointAtOwn(); }
    explicit PixelStore(std::vector<std::uint32_t>&& pixels) : own_(std::move(pixels)) { pointAtOwn(); }
    // Takes over `count` writable pixels at `data`, which stay valid while `owner` lives.
    static PixelStore adopt(std::uint32_t* data, std::size_t count, std::shared_ptr<void> owner) {
        PixelStore store;
        store.owner_ = std::move(owner);
        store.data_ = data;
        store.size_ = count;
        return store;
    }

    // A copy always has memory of its own.
    PixelStore(const PixelStore& other) : own_(other.begin(), other.end()) { pointAtOwn(); }
    PixelStore& operator=(const PixelStore& other) {
        if (this != &other) { *this = PixelStore(other); }
        return *this;
    }
    // Moving a vector keeps its memory where it is, so the pointer stays right.
    PixelStore(PixelStore&& other) noexcept
        : own_(std::move(other.own_)),
          owner_(std::move(other.owner_)),
          data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)) {}
    PixelStore& operator=(PixelStore&& other) noexcept {
        own_ = std::move(other.own_);
        owner_ = std::move(other.owner_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }
    ~PixelStore() = default;

    std::uint32_t* data() { return data_; }
    const std::uint32_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::uint32_t& operator[](std::size_t i) { return data_[i]; }
    std::uint32_t operator[](std::size_t i) const { return data_[i]; }
    std::uint32_t* begin() { return data_; }
    std::uint32_t* end() { return data_ + size_; }
    const std::uint32_t* begin() const { return data_; }
    const std::uint32_t* end() const { return data_ + size_; }
    friend bool operator==(const PixelStore& a, const PixelStore& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    void pointAtOwn() {
        data_ = own_.data();
        size_ = own_.size();
    }

    std::vector<std::uint32_t> own_;
    std::shared_ptr<void> owner_;  // keeps taken-over memory alive
    std::uint32_t* data_ = nullptr;
    std::size_t size_ = 0;
};

struct PixelBuffer {
    int width = 0;
    int height = 0;
    PixelStore pixels;  // width * height, row by row from the top

    PixelBuffer() = default;
    PixelBuffer(int w, int h, std::uint32_t fill = 0xFFFFFFFFu)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}
    std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
    const std::uint32_t* row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    bool empty() const { return width <= 0 || height <= 0; }
};

}  // namespace bw
