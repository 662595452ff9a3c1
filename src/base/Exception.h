#pragma once

#include <exception>
#include <string>

namespace ostrel {

// The general exception class. Error boxes and log lines show an error as
// its class name and its message, so every class names itself.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const noexcept { return message_; }
    virtual const char* ClassName() const noexcept { return "Exception"; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// A malformed or mismatched template, a date that cannot be encoded.
class EConvertError : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "EConvertError"; }
};

// A failed system call, worded with the system's own text. The name of the
// call travels beside the message, which stays the system's wording.
class EOSError : public Exception {
public:
    EOSError(std::string message, std::string call) : Exception(std::move(message)), call_(std::move(call)) {}
    const char* ClassName() const noexcept override { return "EOSError"; }
    const std::string& Call() const noexcept { return call_; }

private:
    std::string call_;
};

struct ErrorDescription {
    std::string className;
    std::string message;
    std::string call;  // the failed system call of an EOSError, else empty

    // The message, and for a failed system call its name on a line of its
    // own: what the log keeps of an error. Boxes show the message alone.
    std::string LoggedMessage() const;
};

// Class name, message and failed call of the exception being handled; call
// it only inside a catch block. Foreign exceptions get a neutral description.
ErrorDescription DescribeCurrentException();

}  // namespace ostrel
