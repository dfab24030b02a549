#include "platform/SharedLibrary.h"

#include <utility>

namespace quillaby::platform {

// Loading, lookup and closing are each system's own (posix/, win32/); ownership is the same.

SharedLibrary::~SharedLibrary() {
    Close();
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), problem_(std::move(other.problem_)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        problem_ = std::move(other.problem_);
    }
    return *this;
}

} // namespace quillaby::platform
