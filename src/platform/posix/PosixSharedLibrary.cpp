#include <dlfcn.h>

#include "platform/SharedLibrary.h"

namespace quillaby::platform {

const char* const SystemGLLibraryName = "libGL.so.1";
const char* const SystemGLULibraryName = "libGLU.so.1";

SharedLibrary::SharedLibrary(const std::string& fileName) {
    // NODELETE: a GL driver stays mapped after the handle is closed, since the window layer may
    // still use it.
    handle_ = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) {
        const char* why = dlerror();
        problem_ = why ? why : fileName + ": cannot be loaded";
    }
}

void* SharedLibrary::Find(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

void SharedLibrary::Close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

} // namespace quillaby::platform
