#include "gl/RecordingGL.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "gl/GLEnumNames.h"

namespace quillaby::gl {

namespace {

// The recorder whose table is installed; tables are plain function pointers, so they find it here.
GLRecorder* current = nullptr;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value + 0.0); // -0 prints as 0
    return text;
}

template <class T> std::string values(const T* items, int count) {
    if (!items) return "NULL";
    std::string text = "{";
    for (int i = 0; i < count; ++i) {
        if (i) text += ", ";
        if constexpr (std::is_floating_point_v<T>)
            text += number(items[i]);
        else
            text += std::to_string(static_cast<long long>(items[i]));
    }
    return text + "}";
}

// Appends one argument, printed after its kind letter (see the entry-point list).
struct ArgumentPrinter {
    std::string text;
    GLenum lastEnum = 0;
    long long lastInteger = 0;
    bool first = true;

    template <class T> void operator()(char kind, T value) {
        text += first ? "" : ", ";
        first = false;
        if constexpr (std::is_pointer_v<T>) {
            using Item = std::remove_cv_t<std::remove_pointer_t<T>>;
            if constexpr (std::is_void_v<Item>) {
                text += kind == 'o' ? "out" : pointerText(value);
            } else if (kind == 'o') {
                text += "out";
            } else if (kind == 's') {
                text += value ? "\"" + std::string(reinterpret_cast<const char*>(value)) + "\"" : "NULL";
            } else if (kind == 'p') {
                text += pointerText(value);
            } else {
                const int count = kind == 'v'   ? parameterValueCount(lastEnum)
                                  : kind == 'M' ? 16
                                  : kind == 'n' ? static_cast<int>(lastInteger)
                                                : kind - '0';
                text += values(value, count);
            }
        } else if constexpr (std::is_floating_point_v<T>) {
            text += number(value);
        } else {
            switch (kind) {
            case 'e':
                lastEnum = static_cast<GLenum>(value);
                text += enumName(lastEnum);
                break;
            case 'm':
                text += primitiveModeName(static_cast<GLenum>(value));
                break;
            case 'b':
                text += bitmaskName(static_cast<GLbitfield>(value));
                break;
            case 'B':
                text += value ? "GL_TRUE" : "GL_FALSE";
                break;
            default:
                lastInteger = static_cast<long long>(value);
                text += std::to_string(lastInteger);
            }
        }
    }
};

template <class Tuple> std::string callText(const char* name, const char* kinds, const Tuple& arguments) {
    ArgumentPrinter printer;
    std::size_t i = 0;
    std::apply([&](const auto&... a) { (printer(kinds[i++], a), ...); }, arguments);
    return std::string(name) + "(" + printer.text + ")";
}

template <class R> R scriptedAnswer(const char* name) {
    if constexpr (std::is_void_v<R>) {
        return;
    } else if constexpr (std::is_pointer_v<R>) {
        return nullptr;
    } else {
        return static_cast<R>(GLRecorder::active().answer(name));
    }
}

// While a call is passed on, a recording table underneath (a script) sees its own recorder.
struct Forwarding {
    explicit Forwarding(GLRecorder& recorder) : saved(current) { current = recorder.below(); }
    ~Forwarding() { current = saved; }
    GLRecorder* saved;
};

template <class R, class Call, class Log> R passOn(Call call, Log logCall) {
    if constexpr (std::is_void_v<R>) {
        call();
        logCall();
    } else {
        R result = call();
        logCall();
        return result;
    }
}

// The recording functions: log the call, then either pass it on or answer from the script.
// Calls are logged after they ran, so output arrays (glGenTextures) print what they received.
namespace rec {
#define QUILLABY_GL_RECORD(lib, ret, name, kinds, params, args)                                              \
    ret GLAPIENTRY name params {                                                                             \
        static_assert(std::tuple_size_v<decltype(std::make_tuple args)> == sizeof(kinds) - 1,                \
                      #name ": one kind letter per parameter");                                              \
        GLRecorder& FRecorder = GLRecorder::active();                                                        \
        if (FRecorder.forwarding() && FRecorder.next().name)                                                 \
            return passOn<ret>(                                                                              \
                [&] {                                                                                        \
                    Forwarding scope(FRecorder);                                                             \
                    return FRecorder.next().name args;                                                       \
                },                                                                                           \
                [&] { FRecorder.log(callText(#name, kinds, std::make_tuple args)); });                       \
        FRecorder.log(callText(#name, kinds, std::make_tuple args));                                         \
        return scriptedAnswer<ret>(#name);                                                                   \
    }
QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_RECORD)
#undef QUILLABY_GL_RECORD
} // namespace rec

// Scripted behaviour of the few calls whose answers code under test depends on.
namespace script {

void log(const char* name, const char* kinds, const auto& arguments) {
    GLRecorder::active().log(callText(name, kinds, arguments));
}

GLenum GLAPIENTRY glGetError() {
    log("glGetError", "", std::make_tuple());
    return GLRecorder::active().nextError();
}

const GLubyte* GLAPIENTRY glGetString(GLenum name) {
    log("glGetString", "e", std::make_tuple(name));
    return GLRecorder::active().string(name);
}

void GLAPIENTRY glGetIntegerv(GLenum pname, GLint* params) {
    log("glGetIntegerv", "eo", std::make_tuple(pname, params));
    const std::vector<GLint>* scripted = GLRecorder::active().integers(pname);
    if (!params) return;
    if (!scripted) {
        params[0] = 0;
        return;
    }
    std::memcpy(params, scripted->data(), scripted->size() * sizeof(GLint));
}

void GLAPIENTRY glGenTextures(GLsizei n, GLuint* textures) {
    for (GLsizei i = 0; i < n && textures; ++i) textures[i] = GLRecorder::active().newTextureName();
    log("glGenTextures", "in", std::make_tuple(n, textures));
}

void GLAPIENTRY glEnable(GLenum cap) {
    log("glEnable", "e", std::make_tuple(cap));
    GLRecorder::active().setEnabled(cap, true);
}

void GLAPIENTRY glDisable(GLenum cap) {
    log("glDisable", "e", std::make_tuple(cap));
    GLRecorder::active().setEnabled(cap, false);
}

GLboolean GLAPIENTRY glIsEnabled(GLenum cap) {
    log("glIsEnabled", "e", std::make_tuple(cap));
    return GLRecorder::active().enabled(cap) ? GL_TRUE : GL_FALSE;
}

} // namespace script

GLEntryPoints recordingTable(bool scripted) {
    GLEntryPoints t;
#define QUILLABY_GL_RECORD(lib, ret, name, kinds, params, args) t.name = &rec::name;
    QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_RECORD)
#undef QUILLABY_GL_RECORD
    if (scripted) {
        t.glGetError = &script::glGetError;
        t.glGetString = &script::glGetString;
        t.glGetIntegerv = &script::glGetIntegerv;
        t.glGenTextures = &script::glGenTextures;
        t.glEnable = &script::glEnable;
        t.glDisable = &script::glDisable;
        t.glIsEnabled = &script::glIsEnabled;
    }
    return t;
}

} // namespace

GLRecorder::GLRecorder() : FPrevious(entryPoints), FPreviousRecorder(current), FForwarding(false) {
    current = this;
    entryPoints = recordingTable(true);
}

GLRecorder::GLRecorder(const GLEntryPoints& next)
    : FPrevious(entryPoints), FPreviousRecorder(current), FNext(next), FForwarding(true) {
    current = this;
    entryPoints = recordingTable(false);
    // An optional entry the driver lacks stays absent, so callers still see it missing.
#define QUILLABY_GL_OPTIONAL_GL(name)
#define QUILLABY_GL_OPTIONAL_GLU(name)
#define QUILLABY_GL_OPTIONAL_OPT(name)                                                                       \
    if (!FNext.name) entryPoints.name = nullptr;
#define QUILLABY_GL_OPTIONAL_CVA(name) QUILLABY_GL_OPTIONAL_OPT(name)
#define QUILLABY_GL_OPTIONAL_MTX(name) QUILLABY_GL_OPTIONAL_OPT(name)
#define QUILLABY_GL_OPTIONAL(lib, ret, name, kinds, params, args) QUILLABY_GL_OPTIONAL_##lib(name)
    QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_OPTIONAL)
#undef QUILLABY_GL_OPTIONAL
#undef QUILLABY_GL_OPTIONAL_MTX
#undef QUILLABY_GL_OPTIONAL_CVA
#undef QUILLABY_GL_OPTIONAL_OPT
#undef QUILLABY_GL_OPTIONAL_GLU
#undef QUILLABY_GL_OPTIONAL_GL
}

GLRecorder::~GLRecorder() {
    entryPoints = FPrevious;
    current = FPreviousRecorder;
}

GLRecorder& GLRecorder::active() {
    return *current;
}

std::string GLRecorder::text() const {
    std::string all;
    for (const std::string& line : FLines) all += line + "\n";
    return all;
}

int GLRecorder::count(std::string_view name) const {
    int n = 0;
    for (const std::string& line : FLines)
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == '(')
            ++n;
    return n;
}

void GLRecorder::log(std::string line) {
    if (FSink) {
        std::fputs(line.c_str(), FSink);
        std::fputc('\n', FSink);
    } else {
        FLines.push_back(std::move(line));
    }
}

GLenum GLRecorder::nextError() {
    if (FErrors.empty()) return GL_NO_ERROR;
    const GLenum code = FErrors.front();
    FErrors.pop_front();
    return code;
}

const GLubyte* GLRecorder::string(GLenum name) {
    std::string& text = FStrings[name]; // unscripted names answer ""
    return reinterpret_cast<const GLubyte*>(text.c_str());
}

const std::vector<GLint>* GLRecorder::integers(GLenum pname) const {
    const auto it = FIntegers.find(pname);
    return it != FIntegers.end() ? &it->second : nullptr;
}

long long GLRecorder::answer(const char* name) const {
    const auto it = FAnswers.find(std::string_view(name));
    return it != FAnswers.end() ? it->second : 0;
}

void GLRecorder::setEnabled(GLenum cap, bool on) {
    if (on)
        FEnabled.insert(cap);
    else
        FEnabled.erase(cap);
}

std::string pointerText(const void* pointer) {
    if (!pointer) return "NULL";
    // Spelled out: "%p" is "0x..." with glibc but bare zero-padded digits with Windows' C library.
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return text;
}

} // namespace quillaby::gl
