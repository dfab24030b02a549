// TOpenGLEngine against a scripted surface and the recording table: the lifecycle, every failure
// message, the palette, error polling and presenting.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "gl/GLCalls.h"
#include "gl/TOpenGLEngine.h"
#include "platform/SharedLibrary.h"
#include "support/FakeGLSurface.h"
#include "support/FloatingPointTraps.h"
#include "support/GLTest.h"

namespace {

using Lines = std::vector<std::string>;
using quillaby::gl::entryPoints;
using namespace quillaby::test;

std::string InitFailure(TOpenGLEngine& engine) {
    try {
        engine.Init();
    } catch (const quillaby::Error& e) {
        return e.what();
    }
    return "no failure";
}

TEST(TOpenGLEngine, InitWithoutSurfaceRaisesAndLoadsNothing) {
    TOpenGLEngine engine;
    EXPECT_EQ(InitFailure(engine), "Init OpenGL failed: DC is not assigned!");
    EXPECT_FALSE(engine.LibraryLoaded());
    EXPECT_FALSE(quillaby::gl::GLLibrariesLoaded());
    EXPECT_FALSE(engine.Active());
}

TEST(TOpenGLEngine, AMissingLibraryRaisesAndLeavesNothingLoaded) {
    gltest::FakeGLSurface surface;
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    engine.GLULibraryName = "libQuillabyNoSuchGLU.so.1";
    EnableTraps(TrapInvalid);
    EXPECT_EQ(InitFailure(engine), "Load library failed: OpenGL DLL is not found!");
    EXPECT_EQ(EnabledTraps(), 0); // masked after the failed attempt too
    EXPECT_FALSE(engine.LibraryLoaded());
    EXPECT_FALSE(quillaby::gl::GLLibrariesLoaded());
    EXPECT_FALSE(engine.Active());
    EXPECT_TRUE(surface.calls.empty()); // no format was asked for

    // A later Init tries again; every attempt leaves floating-point traps masked.
    EnableTraps(TrapDivideByZero);
    engine.GLULibraryName = quillaby::platform::SystemGLULibraryName;
    EXPECT_TRUE(engine.Init());
    EXPECT_TRUE(engine.LibraryLoaded());
    EXPECT_EQ(EnabledTraps(), 0);
}

TEST(TOpenGLEngine, ALibraryLackingARequiredEntryPointIsNamedNotCalledMissing) {
    gltest::FakeGLSurface surface;
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    engine.GLLibraryName = QUILLABY_LIBRARY_WITHOUT_GL; // loads, but has no GL at all
    EXPECT_EQ(InitFailure(engine), "Load library failed: OpenGL entry point glAlphaFunc is not found!");
    EXPECT_FALSE(engine.LibraryLoaded());
    EXPECT_FALSE(quillaby::gl::GLLibrariesLoaded());
}

TEST(TOpenGLEngine, InitAsksForTheRequestedBitsAndKeepsWhatWasChosen) {
    gltest::FakeGLSurface surface;
    surface.chosen.ColorBits = 32;
    surface.chosen.DepthBits = 32; // Mesa answers 32 for a request of 16
    surface.chosen.AlphaBits = 8;
    surface.chosen.StencilBits = 8;
    surface.chosen.DoubleBuffer = true;
    surface.chosen.Generic = true;
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    engine.StencilBits = 1;
    engine.DoubleBuffer = false;
    ASSERT_TRUE(engine.Init());

    EXPECT_EQ(surface.wanted.ColorBits, 16);
    EXPECT_EQ(surface.wanted.DepthBits, 16);
    EXPECT_EQ(surface.wanted.StencilBits, 1);
    EXPECT_FALSE(surface.wanted.DoubleBuffer);
    EXPECT_EQ(engine.ColorBits, 32);
    EXPECT_EQ(engine.DepthBits, 32);
    EXPECT_EQ(engine.AlphaBits, 8);
    EXPECT_EQ(engine.StencilBits, 8);
    EXPECT_EQ(engine.AccumBits, 0);
    EXPECT_TRUE(engine.DoubleBuffer);
    EXPECT_TRUE(engine.Generic);
    EXPECT_TRUE(engine.Active());
    EXPECT_NE(engine.RC(), nullptr);
    EXPECT_TRUE(engine.Palette().empty());
    // The context is created but not made current.
    EXPECT_EQ(surface.calls,
              (Lines{"Surface.ChoosePixelFormat", "Surface.SetPixelFormat", "Surface.CreateContext"}));
    EXPECT_EQ(surface.current, nullptr);
}

TEST(TOpenGLEngine, EachPixelFormatFailureHasItsMessage) {
    struct Case {
        bool choose, set, context;
        const char* message;
    };
    for (const Case& c : {Case{false, true, true, "Create RC failed: pixel format is not choosed!"},
                          Case{true, false, true, "Create RC failed: pixel format is not set!"},
                          Case{true, true, false, "Create RC failed: layer context is not created!"}}) {
        gltest::FakeGLSurface surface;
        surface.chooseSucceeds = c.choose;
        surface.setSucceeds = c.set;
        surface.contextSucceeds = c.context;
        TOpenGLEngine engine;
        engine.SetDC(&surface);
        EXPECT_EQ(InitFailure(engine), c.message);
        EXPECT_FALSE(engine.Active());
        EXPECT_EQ(engine.RC(), nullptr);
        EXPECT_EQ(surface.liveContexts, 0);
    }
}

TEST(TOpenGLEngine, PaletteFormatsGetAnEvenPalette) {
    gltest::FakeGLSurface surface;
    surface.chosen.ColorBits = 8;
    surface.chosen.NeedsPalette = true;
    surface.chosen.RedBits = 3;
    surface.chosen.RedShift = 0;
    surface.chosen.GreenBits = 3;
    surface.chosen.GreenShift = 3;
    surface.chosen.BlueBits = 2;
    surface.chosen.BlueShift = 6;
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    ASSERT_TRUE(engine.Init());
    ASSERT_EQ(engine.Palette().size(), 256u);
    ASSERT_EQ(surface.palette.size(), 256u);
    const auto& p = engine.Palette();
    EXPECT_EQ(p[0].Red + p[0].Green + p[0].Blue, 0);
    EXPECT_EQ(p[255].Red, 255);
    EXPECT_EQ(p[255].Green, 255);
    EXPECT_EQ(p[255].Blue, 255);
    EXPECT_EQ(p[1].Red, 36);   // 1 * 255 / 7
    EXPECT_EQ(p[8].Green, 36); // green starts at bit 3
    EXPECT_EQ(p[64].Blue, 85); // 1 * 255 / 3
    EXPECT_EQ(p[64].Flags, 0);
    engine.Done();
    EXPECT_TRUE(engine.Palette().empty());
}

TEST(TOpenGLEngine, APaletteThatCannotBeMadeFailsAndDropsTheContext) {
    gltest::FakeGLSurface surface;
    surface.chosen.ColorBits = 8;
    surface.chosen.NeedsPalette = true;
    surface.paletteSucceeds = false;
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    EXPECT_EQ(InitFailure(engine), "Create RC failed: palette is not created!");
    EXPECT_EQ(surface.liveContexts, 0);
    EXPECT_EQ(engine.RC(), nullptr);
    EXPECT_FALSE(engine.Active());
}

TEST(TOpenGLEngine, ChannelsWithoutBitsStayBlackInThePalette) {
    quillaby::platform::GLPixelFormat format;
    format.ColorBits = 4;
    format.RedBits = 4;
    const auto palette = BuildLogicalPalette(format);
    ASSERT_EQ(palette.size(), 16u);
    EXPECT_EQ(palette[15].Red, 255);
    EXPECT_EQ(palette[15].Green, 0);
    EXPECT_EQ(palette[15].Blue, 0);
}

TEST(TOpenGLEngine, LifecycleMakesCurrentReleasesAndReusesTheLibraries) {
    gltest::FakeGLSurface surface; // outlives the engine, which releases its context on it
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    ASSERT_TRUE(engine.Init());

    gltest::RecordingGL gl;
    surface.calls.clear();
    gltest::FakeGLSurface logged(&gl);
    engine.SetDC(&logged); // a context exists: none is made current first (on its surface)
    EXPECT_EQ(surface.calls, Lines{"Surface.MakeCurrent(none)"});
    engine.SetDC(&surface);

    surface.calls.clear();
    engine.Activate();
    EXPECT_EQ(surface.calls, Lines{"Surface.MakeCurrent(context1)"});
    // The extension entry points are looked up again.
    EXPECT_EQ(gl.calls(), (Lines{"glGetString(GL_EXTENSIONS)", "glGetString(GL_VERSION)"}));
    engine.Deactivate();
    engine.Done();
    EXPECT_EQ(surface.calls, (Lines{"Surface.MakeCurrent(context1)", "Surface.MakeCurrent(none)",
                                    "Surface.MakeCurrent(none)", "Surface.DeleteContext(context1)"}));
    EXPECT_FALSE(engine.Active());
    EXPECT_EQ(engine.RC(), nullptr);
    EXPECT_EQ(surface.liveContexts, 0);

    // Deactivate and Activate do nothing while inactive.
    surface.calls.clear();
    engine.Activate();
    engine.Deactivate();
    EXPECT_TRUE(surface.calls.empty());

    // The libraries stay loaded: a broken name no longer matters.
    engine.GLLibraryName = "libQuillabyNoSuchGL.so.1";
    ASSERT_TRUE(engine.Init());
    engine.Activate();
    EXPECT_EQ(surface.current, engine.RC());
    EXPECT_EQ(surface.name(engine.RC()), "context2");
}

TEST(TOpenGLEngine, MakeCurrentResolvesLockArraysOnlyWithTheExtension) {
    gltest::FakeGLSurface surface; // outlives the engine, which releases its context on it
    TOpenGLEngine engine;
    engine.SetDC(&surface);
    ASSERT_TRUE(engine.Init());
    gltest::RecordingGL gl;

    gl.setString(GL_EXTENSIONS, "GL_ARB_multitexture");
    engine.MakeCurrent();
    EXPECT_EQ(entryPoints.glLockArraysEXT, nullptr);
    EXPECT_EQ(entryPoints.glUnlockArraysEXT, nullptr);

    // The surface's lookup answers nothing here: the names come from the GL library where it
    // exports them (libGL does; Windows' OpenGL32.DLL exports OpenGL 1.1 alone), else stay empty.
    gl.setString(GL_EXTENSIONS, "GL_ARB_multitexture GL_EXT_compiled_vertex_array");
    engine.MakeCurrent();
    const bool exported =
        quillaby::platform::SharedLibrary(quillaby::platform::SystemGLLibraryName).Find("glLockArraysEXT");
    EXPECT_EQ(entryPoints.glLockArraysEXT != nullptr, exported);
    EXPECT_EQ(entryPoints.glUnlockArraysEXT != nullptr, exported);
}

TEST(TOpenGLEngine, CheckErrorReadsOneCodeAtATime) {
    gltest::RecordingGL gl;
    TOpenGLEngine engine;
    gl.queueError(GL_STACK_OVERFLOW);
    gl.queueError(GL_INVALID_VALUE);
    EXPECT_THROW(
        {
            try {
                engine.CheckError();
            } catch (const quillaby::Error& e) {
                EXPECT_STREQ(e.what(), "OpenGL error: Stack overflow!");
                throw;
            }
        },
        quillaby::Error);
    EXPECT_EQ(gl.count("glGetError"), 1);
    EXPECT_THROW(engine.CheckError(), quillaby::Error);
    EXPECT_NO_THROW(engine.CheckError());
    EXPECT_EQ(gl.count("glGetError"), 3);
}

TEST(TOpenGLEngine, ErrorCodesMapToTheirMessages) {
    EXPECT_EQ(OpenGLErrorMessage(GL_INVALID_ENUM),
              "OpenGL error: An unacceptable value is specified for an enumerated argument!");
    EXPECT_EQ(OpenGLErrorMessage(GL_INVALID_VALUE), "OpenGL error: A numeric argument is out of range!");
    EXPECT_EQ(OpenGLErrorMessage(GL_INVALID_OPERATION),
              "OpenGL error: The specified operation is not allowed in the current state!");
    EXPECT_EQ(OpenGLErrorMessage(GL_STACK_OVERFLOW), "OpenGL error: Stack overflow!");
    EXPECT_EQ(OpenGLErrorMessage(GL_STACK_UNDERFLOW), "OpenGL error: Stack underflow!");
    EXPECT_EQ(OpenGLErrorMessage(GL_OUT_OF_MEMORY),
              "OpenGL error: There is not enough memory left to execute the function!");
    EXPECT_EQ(OpenGLErrorMessage(0x0506), "OpenGL error: Undefined error!");
}

TEST(TOpenGLEngine, SwapMasksFloatingPointTrapsFlushesThenPresents) {
    gltest::RecordingGL gl;
    gltest::FakeGLSurface surface(&gl);
    TOpenGLEngine engine;
    EnableTraps(TrapDivideByZero | TrapInvalid);
    ASSERT_NE(EnabledTraps(), 0);
    engine.Swap(&surface);
    EXPECT_EQ(EnabledTraps(), 0);
    EXPECT_EQ(gl.calls(), (Lines{"glFlush()", "Surface.SwapBuffers"}));
}

} // namespace
