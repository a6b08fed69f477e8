#pragma once
// The program's one error type: a message in Shift-JIS, shown to the user as is.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// printf-style formatting into a std::string (Shift-JIS in, Shift-JIS out).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
