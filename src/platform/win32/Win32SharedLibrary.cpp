#include <windows.h>

#include "platform/SharedLibrary.h"
#include "platform/win32/WideText.h"

namespace quillaby::platform {

const char* const SystemGLLibraryName = "OpenGL32.DLL";
const char* const SystemGLULibraryName = "GLU32.DLL";

namespace {

bool HasDirectory(const std::string& fileName) {
    return fileName.find_first_of("\\/:") != std::string::npos;
}

} // namespace

SharedLibrary::SharedLibrary(const std::string& fileName) {
    // A bare name is taken from the system folder only: a library of the same name planted beside
    // the program (or in the current folder) must not be loaded in its place.
    const DWORD search = HasDirectory(fileName) ? 0 : LOAD_LIBRARY_SEARCH_SYSTEM32;
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    FHandle = reinterpret_cast<void*>(LoadLibraryExW(Widen(fileName).c_str(), nullptr, search));
    const DWORD error = GetLastError();
    SetErrorMode(oldMode);
    if (!FHandle) FProblem = fileName + ": " + SystemErrorText(error);
}

void* SharedLibrary::Find(const char* name) const {
    return FHandle ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(FHandle), name)) : nullptr;
}

void SharedLibrary::Close() {
    if (FHandle) FreeLibrary(static_cast<HMODULE>(FHandle));
    FHandle = nullptr;
}

} // namespace quillaby::platform
