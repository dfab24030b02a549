#include "gl/OpenGL12.h"

#include <cfenv>
#include <cstdio>
#include <cstring>
#include <type_traits>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

#include "platform/SharedLibrary.h"

namespace quillaby::gl {

GLEntryPoints entryPoints;

namespace {

// The two library handles: process-wide like the table they fill.
struct Libraries {
    platform::SharedLibrary gl;
    platform::SharedLibrary glu;
    std::string problem;
    std::string missingEntryPoint;

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
    libs.missingEntryPoint.clear();
    libs.gl = platform::SharedLibrary(glLibraryName);
    if (!libs.gl.Loaded()) libs.problem = libs.gl.Problem();
    libs.glu = platform::SharedLibrary(gluLibraryName);
    if (!libs.glu.Loaded() && libs.problem.empty()) libs.problem = libs.glu.Problem();
    if (libs.gl.Loaded() && libs.glu.Loaded()) {
        const std::string missing = BindGLEntryPoints();
        if (missing.empty()) {
            libs.problem.clear();
            return true;
        }
        libs.problem = "entry point " + missing + " not found";
        libs.missingEntryPoint = missing;
    }
    UnloadGLLibraries();
    return false;
}

void UnloadGLLibraries() {
    Libraries& libs = libraries();
    libs.glu.Close();
    libs.gl.Close();
    entryPoints = GLEntryPoints{};
}

std::string BindGLEntryPoints() {
    const Libraries& libs = libraries();
    return BindGLEntryPoints(
        [&libs](bool fromGLU, const char* name) { return (fromGLU ? libs.glu : libs.gl).Find(name); });
}

std::string BindGLEntryPoints(const SymbolLookup& find) {
    std::string missing;
    auto bind = [&](bool fromGLU, bool required, const char* name, auto& pointer) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(find(fromGLU, name));
        if (!pointer && required && missing.empty()) missing = name;
    };
#define QUILLABY_GL_BIND_GL(name) bind(false, true, #name, entryPoints.name);
#define QUILLABY_GL_BIND_GLU(name) bind(true, true, #name, entryPoints.name);
#define QUILLABY_GL_BIND_OPT(name) bind(false, false, #name, entryPoints.name);
#define QUILLABY_GL_BIND_CVA(name) entryPoints.name = nullptr;
#define QUILLABY_GL_BIND_MTX(name) entryPoints.name = nullptr;
#define QUILLABY_GL_BIND(lib, ret, name, kinds, params, args) QUILLABY_GL_BIND_##lib(name)
    QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_BIND)
#undef QUILLABY_GL_BIND
#undef QUILLABY_GL_BIND_MTX
#undef QUILLABY_GL_BIND_CVA
#undef QUILLABY_GL_BIND_OPT
#undef QUILLABY_GL_BIND_GLU
#undef QUILLABY_GL_BIND_GL
    return missing;
}

namespace {

// A string of the current context, or null without a context or a glGetString.
const char* ContextString(GLenum name) {
    if (!entryPoints.glGetString) return nullptr;
    return reinterpret_cast<const char*>(entryPoints.glGetString(name));
}

// Asks the context's driver first (wglGetProcAddress on Windows, whose OpenGL32.DLL exports only
// OpenGL 1.1), then the GL library.
void* FindExtensionEntry(ProcLookup lookupProc, const char* name) {
    void* p = lookupProc ? lookupProc(name) : nullptr;
    return p ? p : libraries().gl.Find(name);
}

// True when a GL_VERSION string ("4.5 (Compatibility Profile) Mesa ...") is at least major.minor.
bool VersionAtLeast(const char* version, int major, int minor) {
    int hasMajor = 0, hasMinor = 0;
    if (!version || std::sscanf(version, "%d.%d", &hasMajor, &hasMinor) != 2) return false;
    return hasMajor > major || (hasMajor == major && hasMinor >= minor);
}

// Fills a pair of entries together, or leaves both empty.
template <class A, class B>
void ResolvePair(ProcLookup lookupProc, A& first, const char* firstName, B& second, const char* secondName) {
    void* a = FindExtensionEntry(lookupProc, firstName);
    void* b = FindExtensionEntry(lookupProc, secondName);
    first = a && b ? reinterpret_cast<A>(a) : nullptr;
    second = a && b ? reinterpret_cast<B>(b) : nullptr;
}

void ResolveLockArrays(ProcLookup lookupProc, const char* extensions) {
    entryPoints.glLockArraysEXT = nullptr;
    entryPoints.glUnlockArraysEXT = nullptr;
    if (!HasExtension(extensions, "GL_EXT_compiled_vertex_array")) return;
    ResolvePair(lookupProc, entryPoints.glLockArraysEXT, "glLockArraysEXT", entryPoints.glUnlockArraysEXT,
                "glUnlockArraysEXT");
}

void ResolveMultitexture(ProcLookup lookupProc, const char* extensions, const char* version) {
    entryPoints.glActiveTexture = nullptr;
    entryPoints.glClientActiveTexture = nullptr;
    if (VersionAtLeast(version, 1, 3))
        ResolvePair(lookupProc, entryPoints.glActiveTexture, "glActiveTexture",
                    entryPoints.glClientActiveTexture, "glClientActiveTexture");
    else if (HasExtension(extensions, "GL_ARB_multitexture") &&
             HasExtension(extensions, "GL_ARB_texture_env_combine"))
        ResolvePair(lookupProc, entryPoints.glActiveTexture, "glActiveTextureARB",
                    entryPoints.glClientActiveTexture, "glClientActiveTextureARB");
}

} // namespace

void ResolveExtensionEntryPoints(ProcLookup lookupProc) {
    // Copied: the driver's strings are read once and may live no longer than the next call.
    const char* listed = ContextString(GL_EXTENSIONS);
    const std::string extensions = listed ? listed : "";
    const char* version = ContextString(GL_VERSION);
    ResolveLockArrays(lookupProc, extensions.c_str());
    ResolveMultitexture(lookupProc, extensions.c_str(), version);
}

void ResolveLockArrays(ProcLookup lookupProc) {
    ResolveLockArrays(lookupProc, ContextString(GL_EXTENSIONS));
}

void ResolveMultitexture(ProcLookup lookupProc) {
    const char* listed = ContextString(GL_EXTENSIONS);
    const std::string extensions = listed ? listed : "";
    ResolveMultitexture(lookupProc, extensions.c_str(), ContextString(GL_VERSION));
}

bool GLLibrariesLoaded() {
    return libraries().gl.Loaded() && libraries().glu.Loaded();
}

const std::string& lastLoadProblem() {
    return libraries().problem;
}

const std::string& lastMissingEntryPoint() {
    return libraries().missingEntryPoint;
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
