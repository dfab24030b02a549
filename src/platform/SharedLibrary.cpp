#include "platform/SharedLibrary.h"

#include <utility>

namespace quillaby::platform {

// Loading, lookup and closing are each system's own (posix/, win32/); ownership is the same.

SharedLibrary::~SharedLibrary() {
    Close();
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)), FProblem(std::move(other.FProblem)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        Close();
        FHandle = std::exchange(other.FHandle, nullptr);
        FProblem = std::move(other.FProblem);
    }
    return *this;
}

} // namespace quillaby::platform
