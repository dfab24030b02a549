#pragma once
// Libraries opened at run time by file name, and the names of the system's OpenGL and GLU.
#include <string>

namespace quillaby::platform {

// The system's OpenGL and GLU libraries: "OpenGL32.DLL" and "GLU32.DLL" on Windows.
extern const char* const SystemGLLibraryName;
extern const char* const SystemGLULibraryName;

// One loaded library, released when the object goes. Move-only.
class SharedLibrary {
  public:
    SharedLibrary() = default;
    // Loads by file name with the system's search; check Loaded(), and Problem() when it failed.
    explicit SharedLibrary(const std::string& fileName);
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool Loaded() const { return FHandle != nullptr; }
    // Why loading failed, in the system's words; empty after a success.
    const std::string& Problem() const { return FProblem; }
    // The exported symbol, or null when the library lacks it (or is not loaded).
    void* Find(const char* name) const;
    void Close();

  private:
    void* FHandle = nullptr;
    std::string FProblem;
};

} // namespace quillaby::platform
