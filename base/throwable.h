// The root of the engine's exception tree. Every failure inside the engine is
// thrown as one of these with an English message; the exported calls and the
// receiver turn them into result codes and error flags.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

class Throwable : public std::exception {
public:
    explicit Throwable(std::string message, uint8_t flag = 0)
        : message_(std::move(message)), flag_(flag) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }
    uint8_t flag() const noexcept { return flag_; }

private:
    std::string message_;
    uint8_t flag_;
};

// A failure the station reports and then goes on from.
class RecoverException : public Throwable {
public:
    using Throwable::Throwable;
};

// A failure the station cannot go on from.
class FatalException : public Throwable {
public:
    using Throwable::Throwable;
};
