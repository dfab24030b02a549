#include <dlfcn.h>

#include "platform/SharedLibrary.h"

namespace quillaby::platform {

const char* const SystemGLLibraryName = "libGL.so.1";
const char* const SystemGLULibraryName = "libGLU.so.1";

SharedLibrary::SharedLibrary(const std::string& fileName) {
    // NODELETE: a GL driver stays mapped after the handle is closed, since the window layer may
    // still use it.
    FHandle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!FHandle) {
        const char* why = dlerror();
        FProblem = why ? why : fileName + ": cannot be loaded";
    }
}

void* SharedLibrary::Find(const char* name) const {
    return FHandle ? dlsym(FHandle, name) : nullptr;
}

void SharedLibrary::Close() {
    if (FHandle) dlclose(FHandle);
    FHandle = nullptr;
}

} // namespace quillaby::platform
