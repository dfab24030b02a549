#include "gl/OpenGL12.h"

#include <dlfcn.h>

#include <cfenv>
#include <cstring>
#include <type_traits>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace quillaby::gl {

GLEntryPoints entryPoints;

namespace {

// The two library handles: process-wide like the table they fill.
struct Libraries {
    void* gl = nullptr;
    void* glu = nullptr;
    std::string problem;

    Libraries() { MaskFloatingPointExceptions(); }
    ~Libraries() { UnloadGLLibraries(); }
};

Libraries& libraries() {
    static Libraries instance;
    return instance;
}

// The binding starts with the process: exceptions are masked before any GL code runs.
[[maybe_unused]] const bool bindingStarted = (libraries(), true);

template <class R> R zero() {
    if constexpr (!std::is_void_v<R>) return R{};
}

namespace null {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define QUILLABY_GL_NULL(lib, ret, name, kinds, params, args)                                                \
    ret GLAPIENTRY name params {                                                                             \
        return zero<ret>();                                                                                  \
    }
QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_NULL)
#undef QUILLABY_GL_NULL
#pragma GCC diagnostic pop
} // namespace null

void* lookup(void* library, const char* name) {
    return library ? dlsym(library, name) : nullptr;
}

} // namespace

const GLEntryPoints& nullEntryPoints() {
    static const GLEntryPoints table = [] {
        GLEntryPoints t;
#define QUILLABY_GL_NULL(lib, ret, name, kinds, params, args) t.name = &null::name;
        QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_NULL)
#undef QUILLABY_GL_NULL
        return t;
    }();
    return table;
}

bool LoadGLLibraries(const std::string& glLibraryName, const std::string& gluLibraryName) {
    UnloadGLLibraries();
    Libraries& libs = libraries();
    // NODELETE: the driver stays mapped after the handles are closed, since the platform's window
    // layer may still use it.
    libs.gl = dlopen(glLibraryName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!libs.gl) libs.problem = dlerror();
    libs.glu = dlopen(gluLibraryName.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!libs.glu && libs.problem.empty()) libs.problem = dlerror();
    if (libs.gl && libs.glu) {
        const std::string missing = BindGLEntryPoints();
        if (missing.empty()) {
            libs.problem.clear();
            return true;
        }
        libs.problem = "entry point " + missing + " not found";
    }
    UnloadGLLibraries();
    return false;
}

void UnloadGLLibraries() {
    Libraries& libs = libraries();
    if (libs.glu) dlclose(libs.glu);
    if (libs.gl) dlclose(libs.gl);
    libs.gl = nullptr;
    libs.glu = nullptr;
    entryPoints = GLEntryPoints{};
}

std::string BindGLEntryPoints() {
    Libraries& libs = libraries();
    std::string missing;
    auto bind = [&](void* library, const char* name, auto& pointer) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(lookup(library, name));
        if (!pointer && missing.empty()) missing = name;
    };
    void* const GL = libs.gl;
    void* const GLU = libs.glu;
#define QUILLABY_GL_BIND_GL(ret, name, kinds, params, args) bind(GL, #name, entryPoints.name);
#define QUILLABY_GL_BIND_GLU(ret, name, kinds, params, args) bind(GLU, #name, entryPoints.name);
#define QUILLABY_GL_BIND_EXT(ret, name, kinds, params, args) entryPoints.name = nullptr;
#define QUILLABY_GL_BIND(lib, ret, name, kinds, params, args)                                                \
    QUILLABY_GL_BIND_##lib(ret, name, kinds, params, args)
    QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_BIND)
#undef QUILLABY_GL_BIND
#undef QUILLABY_GL_BIND_EXT
#undef QUILLABY_GL_BIND_GLU
#undef QUILLABY_GL_BIND_GL
    return missing;
}

void ResolveLockArrays(ProcLookup lookupProc) {
    entryPoints.glLockArraysEXT = nullptr;
    entryPoints.glUnlockArraysEXT = nullptr;
    if (!entryPoints.glGetString) return;
    const auto* extensions = reinterpret_cast<const char*>(entryPoints.glGetString(GL_EXTENSIONS));
    if (!HasExtension(extensions, "GL_EXT_compiled_vertex_array")) return;
    auto find = [&](const char* name) {
        void* p = lookupProc ? lookupProc(name) : nullptr;
        return p ? p : lookup(libraries().gl, name);
    };
    entryPoints.glLockArraysEXT =
        reinterpret_cast<decltype(entryPoints.glLockArraysEXT)>(find("glLockArraysEXT"));
    entryPoints.glUnlockArraysEXT =
        reinterpret_cast<decltype(entryPoints.glUnlockArraysEXT)>(find("glUnlockArraysEXT"));
}

bool GLLibrariesLoaded() {
    return libraries().gl && libraries().glu;
}

const std::string& lastLoadProblem() {
    return libraries().problem;
}

bool HasExtension(const char* extensions, const char* name) {
    if (!extensions || !name || !*name) return false;
    const std::size_t length = std::strlen(name);
    for (const char* p = extensions; (p = std::strstr(p, name)) != nullptr; p += length) {
        const bool startsWord = p == extensions || p[-1] == ' ';
        const bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

void MaskFloatingPointExceptions() {
#if defined(__x86_64__) || defined(__i386__)
    const unsigned short controlWord = 0x133F;
    __asm__ volatile("fldcw %0" : : "m"(controlWord));
    _mm_setcsr(_mm_getcsr() | 0x1F80);
#else
    std::feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(FE_ALL_EXCEPT);
#endif
}

} // namespace quillaby::gl
