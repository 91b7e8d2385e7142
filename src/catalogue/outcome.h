#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kalverin {

// A value, or the message that says why there is none. Messages name the file and what is
// wrong, in words a user can act on.
template <typename T>
class Outcome {
  public:
    Outcome(T value) : value_(std::move(value)) {}  // NOLINT: implicit, like std::optional
    static Outcome Failure(std::string message) {
        Outcome outcome;
        outcome.error_ = std::move(message);
        return outcome;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }

  private:
    Outcome() = default;
    std::optional<T> value_;
    std::string error_;
};

// Done, or the message that says why not: true on success, as every Outcome is. A failure the
// system reported keeps its error number, for a caller that goes on after some of them.
template <>
class Outcome<void> {
  public:
    Outcome() = default;
    static Outcome Failure(std::string message, int systemError = 0) {
        Outcome outcome;
        outcome.failed_ = true;
        outcome.error_ = std::move(message);
        outcome.systemError_ = systemError;
        return outcome;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }
    int systemError() const { return systemError_; }

  private:
    bool failed_ = false;
    std::string error_;
    int systemError_ = 0;
};

}  // namespace kalverin
