#pragma once
// A value or an error message. Generators and converters return this instead of
// throwing, so that a bad field or a damaged file always reaches the caller.

#include <string>
#include <utility>
#include <variant>

namespace bw {

struct Error {
    std::string message;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    const std::string& error() const { return std::get<Error>(state_).message; }

private:
    std::variant<T, Error> state_;
};

// For operations that produce nothing but may fail.
struct Done {};
using Status = Result<Done>;
inline Status success() { return Done{}; }

}  // namespace bw
