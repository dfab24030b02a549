// The entry-point table: loading the real libraries, the recording table's log, the null table.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "gl/GLCalls.h"
#include "gl/GLEnumNames.h"
#include "gl/TGLItemList.h"
#include "platform/SharedLibrary.h"
#include "support/GLTest.h"

using namespace quillaby::gl;
using quillaby::platform::SharedLibrary;
using quillaby::platform::SystemGLLibraryName;
using quillaby::platform::SystemGLULibraryName;

namespace {

TEST(GLBinding, LoadsTheSystemLibrariesAndBindsEveryCoreEntry) {
    ASSERT_TRUE(LoadGLLibraries(SystemGLLibraryName, SystemGLULibraryName)) << lastLoadProblem();
    EXPECT_TRUE(GLLibrariesLoaded());
    EXPECT_NE(entryPoints.glEnable, nullptr);
    EXPECT_NE(entryPoints.glDrawElements, nullptr);
    EXPECT_NE(entryPoints.gluLookAt, nullptr);
    // The extension entries wait for a current context that names the extension.
    EXPECT_EQ(entryPoints.glLockArraysEXT, nullptr);
    UnloadGLLibraries();
    EXPECT_FALSE(GLLibrariesLoaded());
    EXPECT_EQ(entryPoints.glEnable, nullptr);
    EXPECT_EQ(entryPoints.gluLookAt, nullptr);
}

TEST(GLBinding, AMissingLibraryLeavesNothingLoaded) {
    EXPECT_FALSE(LoadGLLibraries(SystemGLLibraryName, "libQuillabyNoSuchGLU.so.1"));
    EXPECT_FALSE(GLLibrariesLoaded());
    EXPECT_EQ(entryPoints.glEnable, nullptr);
    EXPECT_NE(lastLoadProblem().find("libQuillabyNoSuchGLU"), std::string::npos) << lastLoadProblem();

    EXPECT_FALSE(LoadGLLibraries("libQuillabyNoSuchGL.so.1", SystemGLULibraryName));
    EXPECT_FALSE(GLLibrariesLoaded());
}

TEST(GLBinding, ALibraryWithoutTheEntryPointsIsRefusedNamingTheFirstMissing) {
    // The C runtime loads but has no GL: the load fails and says which name it missed first.
    EXPECT_FALSE(LoadGLLibraries(QUILLABY_LIBRARY_WITHOUT_GL, SystemGLULibraryName));
    EXPECT_FALSE(GLLibrariesLoaded());
    EXPECT_NE(lastLoadProblem().find("glAlphaFunc"), std::string::npos) << lastLoadProblem();
}

TEST(GLBinding, OnlyTheNamesTheProgramNeedsAreRequired) {
    const SharedLibrary libGL(SystemGLLibraryName);
    const SharedLibrary libGLU(SystemGLULibraryName);
    ASSERT_TRUE(libGL.Loaded() && libGLU.Loaded());
    static const std::set<std::string> newerNames = {"glBindBuffer", "glBlendEquation", "glBlendFuncSeparate",
                                                     "glUseProgram"};
    // A 1.1-only library: the newer names are missing, and the load still succeeds without them.
    std::string missing = BindGLEntryPoints([&](bool fromGLU, const char* name) -> void* {
        return newerNames.count(name) ? nullptr : (fromGLU ? libGLU : libGL).Find(name);
    });
    EXPECT_EQ(missing, "");
    EXPECT_EQ(entryPoints.glBindBuffer, nullptr);
    EXPECT_EQ(entryPoints.glUseProgram, nullptr);
    EXPECT_NE(entryPoints.glBindTexture, nullptr);
    EXPECT_NE(entryPoints.gluLookAt, nullptr);
    // Extension entries wait for a context, whatever the library exports.
    EXPECT_EQ(entryPoints.glActiveTexture, nullptr);

    // A library without a name the program calls: the first such name is reported.
    missing = BindGLEntryPoints([&](bool fromGLU, const char* name) -> void* {
        const std::string n = name;
        return n == "glBindTexture" || n == "gluLookAt" ? nullptr : (fromGLU ? libGLU : libGL).Find(name);
    });
    EXPECT_EQ(missing, "glBindTexture");
    entryPoints = GLEntryPoints{};
}

TEST(GLBinding, MultitextureResolvesFromTheContextsVersionOrItsExtensions) {
    gltest::RecordingGL gl;
    static std::vector<std::string> asked;
    const ProcLookup lookup = [](const char* name) -> void* {
        asked.push_back(name);
        return reinterpret_cast<void*>(&MaskFloatingPointExceptions); // any non-null address
    };
    gl.setString(GL_VERSION, "1.2 Mesa");
    gl.setString(GL_EXTENSIONS, "GL_ARB_multitexture");
    ResolveMultitexture(lookup);
    EXPECT_EQ(entryPoints.glActiveTexture, nullptr) << "multitexture without combiners is of no use";
    EXPECT_TRUE(asked.empty());

    gl.setString(GL_EXTENSIONS, "GL_ARB_multitexture GL_ARB_texture_env_combine");
    ResolveMultitexture(lookup);
    EXPECT_NE(entryPoints.glActiveTexture, nullptr);
    EXPECT_NE(entryPoints.glClientActiveTexture, nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"glActiveTextureARB", "glClientActiveTextureARB"}));

    asked.clear();
    gl.setString(GL_VERSION, "4.5 (Compatibility Profile) Mesa 22.3.6");
    gl.setString(GL_EXTENSIONS, "");
    ResolveMultitexture(lookup);
    EXPECT_NE(entryPoints.glActiveTexture, nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"glActiveTexture", "glClientActiveTexture"}));
}

TEST(GLBinding, LockArraysResolveOnlyWhenTheExtensionIsListed) {
    gltest::RecordingGL gl;
    static int lookups = 0;
    const ProcLookup lookup = [](const char*) -> void* {
        ++lookups;
        return reinterpret_cast<void*>(&MaskFloatingPointExceptions); // any non-null address
    };
    gl.setString(GL_EXTENSIONS, "GL_EXT_compiled_vertex_array_plus GL_ARB_multitexture");
    ResolveLockArrays(lookup);
    EXPECT_EQ(entryPoints.glLockArraysEXT, nullptr);
    EXPECT_EQ(entryPoints.glUnlockArraysEXT, nullptr);
    EXPECT_EQ(lookups, 0);

    gl.setString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_compiled_vertex_array");
    ResolveLockArrays(lookup);
    EXPECT_NE(entryPoints.glLockArraysEXT, nullptr);
    EXPECT_NE(entryPoints.glUnlockArraysEXT, nullptr);
    EXPECT_EQ(lookups, 2);
}

TEST(GLBinding, ExtensionNamesMatchWholeWordsOnly) {
    EXPECT_TRUE(HasExtension("GL_A GL_B GL_C", "GL_B"));
    EXPECT_TRUE(HasExtension("GL_A GL_B", "GL_B"));
    EXPECT_TRUE(HasExtension("GL_B", "GL_B"));
    EXPECT_FALSE(HasExtension("GL_BC GL_AB", "GL_B"));
    EXPECT_FALSE(HasExtension(nullptr, "GL_B"));
    EXPECT_FALSE(HasExtension("GL_B", ""));
}

TEST(RecordingGL, LogsEachCallWithReadableArguments) {
    gltest::RecordingGL gl;
    const GLfloat position[4] = {0, 0, 1, 0};
    const GLfloat direction[3] = {0, 0, -1};
    const GLfloat colour[4] = {0.2f, 0.25f, 1, 1};
    const GLfloat vertices[6] = {};
    glEnable(GL_TEXTURE_2D);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
    glColor4fv(colour);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_QUADS, 0, 4);
    glVertexPointer(3, GL_FLOAT, 12, vertices);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glFrustum(-1, 1, -0.5, 0.5, 1, 100);
    gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);

    const std::vector<std::string> expected = {
        "glEnable(GL_TEXTURE_2D)",
        "glLightfv(GL_LIGHT1, GL_POSITION, {0, 0, 1, 0})",
        "glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, {0, 0, -1})",
        "glColor4fv({0.2, 0.25, 1, 1})",
        "glClear(GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT)",
        "glDrawArrays(GL_QUADS, 0, 4)",
        "glVertexPointer(3, GL_FLOAT, 12, " + gltest::ptr(vertices) + ")",
        "glBlendFunc(GL_SRC_ALPHA, GL_ONE)",
        "glDepthMask(GL_FALSE)",
        "glFrustum(-1, 1, -0.5, 0.5, 1, 100)",
        "gluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0)",
        "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR)",
    };
    EXPECT_EQ(gl.calls(), expected);
    EXPECT_EQ(gl.count("glLightfv"), 2);
    EXPECT_EQ(gl.count("glLight"), 0);
    gl.clear();
    EXPECT_TRUE(gl.calls().empty());
}

TEST(RecordingGL, AnswersFromItsScript) {
    gltest::RecordingGL gl;
    gl.queueError(GL_STACK_OVERFLOW);
    gl.queueError(GL_INVALID_ENUM);
    EXPECT_EQ(glGetError(), GLenum(GL_STACK_OVERFLOW));
    EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    gl.setString(GL_RENDERER, "llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), "llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_VENDOR)), "");

    gl.setIntegers(GL_VIEWPORT, {1, 2, 30, 40});
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 30);
    EXPECT_EQ(viewport[3], 40);

    GLuint names[2] = {};
    glGenTextures(2, names);
    EXPECT_EQ(names[0], 1u);
    EXPECT_EQ(names[1], 2u);
    EXPECT_EQ(gl.calls().back(), "glGenTextures(2, {1, 2})");

    glEnable(GL_BLEND);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_TRUE);
    glDisable(GL_BLEND);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);

    gl.setAnswer("glGenLists", 7);
    EXPECT_EQ(glGenLists(1), 7u);
}

TEST(RecordingGL, RestoresThePreviousTableAndNests) {
    const GLEntryPoints before = entryPoints;
    {
        gltest::RecordingGL outer;
        glFlush();
        {
            gltest::RecordingGL inner;
            glFinish();
            EXPECT_EQ(inner.calls(), std::vector<std::string>{"glFinish()"});
        }
        glFlush();
        EXPECT_EQ(outer.calls(), (std::vector<std::string>{"glFlush()", "glFlush()"}));
    }
    EXPECT_EQ(entryPoints.glFlush, before.glFlush);
    EXPECT_EQ(entryPoints.glEnable, before.glEnable);
}

TEST(RecordingGL, TracesInFrontOfAnotherTableAndStreamsToAFile) {
    gltest::RecordingGL script;
    script.setString(GL_VERSION, "4.5");
    script.queueError(GL_OUT_OF_MEMORY);
    const GLEntryPoints scripted = entryPoints;
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
        GLRecorder trace(scripted);
        trace.streamTo(file);
        EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_VERSION)), "4.5");
        EXPECT_EQ(glGetError(), GLenum(GL_OUT_OF_MEMORY));
        glEnable(GL_FOG);
        EXPECT_TRUE(trace.calls().empty());
    }
    std::rewind(file);
    char text[256] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    EXPECT_EQ(std::string(text, n), "glGetString(GL_VERSION)\nglGetError()\nglEnable(GL_FOG)\n");
    // The script underneath saw the same calls.
    EXPECT_EQ(script.calls().size(), 3u);
    EXPECT_TRUE(script.enabled(GL_FOG));
}

TEST(NullGL, EveryEntryAnswersZeroAndDoesNothing) {
    const GLEntryPoints before = entryPoints;
    entryPoints = nullEntryPoints();
    glEnable(GL_BLEND);
    GLint value = 42;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(glGetError(), GLenum(0));
    EXPECT_EQ(glGetString(GL_VENDOR), nullptr);
    EXPECT_NE(entryPoints.glLockArraysEXT, nullptr);
    entryPoints = before;
}

TEST(GLEnumNames, NamesModesMasksAndUnknownValues) {
    EXPECT_EQ(enumName(GL_LIGHT0), "GL_LIGHT0");
    EXPECT_EQ(enumName(0x7777), "0x7777");
    EXPECT_EQ(primitiveModeName(GL_LINE_STRIP), "GL_LINE_STRIP");
    EXPECT_EQ(primitiveModeName(42), "42");
    EXPECT_EQ(bitmaskName(GL_DEPTH_BUFFER_BIT | 0x80000000u), "GL_DEPTH_BUFFER_BIT|0x80000000");
    EXPECT_EQ(bitmaskName(0), "0x0");
    EXPECT_EQ(parameterValueCount(GL_SPOT_DIRECTION), 3);
    EXPECT_EQ(parameterValueCount(GL_SHININESS), 1);
}

// Counts destructions so the tests see exactly when an item is freed.
struct CountedItem : TGLItemList {
    explicit CountedItem(int& destroyed) : destroyed(destroyed) {}
    ~CountedItem() override { ++destroyed; }
    int& destroyed;
};

TEST(TGLItemList, ReleaseFreesAtZeroOrBelow) {
    int destroyed = 0;
    auto* item = new CountedItem(destroyed);
    EXPECT_EQ(item->RefCount, 0);
    EXPECT_EQ(item->AddRef(), 1);
    EXPECT_EQ(item->AddRef(), 2);
    EXPECT_EQ(item->Release(), 1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(item->Release(), 0);
    EXPECT_EQ(destroyed, 1);

    // An item nobody holds is freed by a single Release.
    auto* loose = new CountedItem(destroyed);
    EXPECT_EQ(loose->Release(), -1);
    EXPECT_EQ(destroyed, 2);
}

} // namespace
