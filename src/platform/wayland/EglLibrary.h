#pragma once
// EGL's entry points, opened at run time as OpenGL's are: the program links no GL library, so a
// machine without one still starts and reports the missing library in words.
#include <EGL/egl.h>

namespace quillaby::platform {

#define QUILLABY_EGL_CALLS(X)                                                                                \
    X(eglBindAPI)                                                                                            \
    X(eglChooseConfig)                                                                                       \
    X(eglCreateContext)                                                                                      \
    X(eglCreateWindowSurface)                                                                                \
    X(eglDestroyContext)                                                                                     \
    X(eglDestroySurface)                                                                                     \
    X(eglGetConfigAttrib)                                                                                    \
    X(eglGetCurrentContext)                                                                                  \
    X(eglGetCurrentSurface)                                                                                  \
    X(eglGetProcAddress)                                                                                     \
    X(eglInitialize)                                                                                         \
    X(eglMakeCurrent)                                                                                        \
    X(eglSwapBuffers)                                                                                        \
    X(eglSwapInterval)                                                                                       \
    X(eglTerminate)

struct EglCalls {
#define QUILLABY_EGL_POINTER(name) decltype(&::name) name = nullptr;
    QUILLABY_EGL_CALLS(QUILLABY_EGL_POINTER)
#undef QUILLABY_EGL_POINTER
    // Core since EGL 1.5; found through eglGetProcAddress where the library does not export it.
    PFNEGLGETPLATFORMDISPLAYPROC eglGetPlatformDisplay = nullptr;
};

// The process's EGL, loaded on first use and kept, like the GL table. Raises quillaby::Error
// "Cannot load EGL (...)" when the library or one of its entry points is missing.
const EglCalls& EglApi();

} // namespace quillaby::platform
