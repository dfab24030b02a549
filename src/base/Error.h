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

// The connection to the display server broke (the server ended, or the session did): nothing can be
// shown any more.
class DisplayLost : public Error {
  public:
    using Error::Error;
};

// The silent abort: ends an operation without a message box.
class Abort : public Error {
  public:
    Abort() : Error("Operation aborted") {}
};

} // namespace quillaby
