#include "platform/wayland/EglLibrary.h"

#include <string>

#include "base/Error.h"
#include "platform/SharedLibrary.h"

namespace quillaby::platform {
namespace {

struct LoadedEgl {
    SharedLibrary library{"libEGL.so.1"};
    EglCalls calls;
    std::string problem;

    LoadedEgl() {
        if (!library.Loaded()) {
            problem = library.Problem();
            return;
        }
#define QUILLABY_EGL_FIND(name)                                                                              \
    calls.name = reinterpret_cast<decltype(calls.name)>(library.Find(#name));                                \
    if (calls.name == nullptr && problem.empty()) problem = "no " #name;
        QUILLABY_EGL_CALLS(QUILLABY_EGL_FIND)
#undef QUILLABY_EGL_FIND
        if (!problem.empty()) return;
        void* platformDisplay = library.Find("eglGetPlatformDisplay");
        if (platformDisplay == nullptr)
            platformDisplay = reinterpret_cast<void*>(calls.eglGetProcAddress("eglGetPlatformDisplay"));
        calls.eglGetPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYPROC>(platformDisplay);
        if (calls.eglGetPlatformDisplay == nullptr) problem = "no eglGetPlatformDisplay";
    }
};

} // namespace

const EglCalls& EglApi() {
    static const LoadedEgl egl;
    if (!egl.problem.empty()) throw Error("Cannot load EGL (" + egl.problem + ")");
    return egl.calls;
}

} // namespace quillaby::platform
