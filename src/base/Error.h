#pragma once
// The program's exception classes. Every failure carries a fixed English message;
// only the top-level handler catches.
#include <stdexcept>
#include <string>

namespace quillaby {

// The general exception of the program.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The silent abort: ends an operation without a message box.
class Abort : public Error {
  public:
    Abort() : Error("Operation aborted") {}
};

} // namespace quillaby
