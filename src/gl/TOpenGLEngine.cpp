#include "gl/TOpenGLEngine.h"

#include "base/Error.h"
#include "gl/GLCalls.h"

using quillaby::Error;
using quillaby::platform::GLPixelFormat;
using quillaby::platform::PaletteEntry;

TOpenGLEngine::TOpenGLEngine() {
    SetDefaults();
}

TOpenGLEngine::~TOpenGLEngine() {
    Done();
    UnloadOpenGL();
}

void TOpenGLEngine::SetDefaults() {
    Generic = false;
    DoubleBuffer = true;
    FActive = false;
    ColorBits = 16;
    DepthBits = 16;
    StencilBits = 0;
    AlphaBits = 0;
    AccumBits = 0;
}

void TOpenGLEngine::SetDC(Surface* DC) {
    if (FRC) ReleaseCurrent();
    FDC = DC;
}

bool TOpenGLEngine::Init() {
    if (!FDC) throw Error("Init OpenGL failed: DC is not assigned!");
    LoadOpenGL();
    CreateRC();
    FActive = true;
    return true;
}

bool TOpenGLEngine::LoadOpenGL() {
    if (!FLibraryLoaded) FLibraryLoaded = quillaby::gl::LoadGLLibraries(GLLibraryName, GLULibraryName);
    quillaby::gl::MaskFloatingPointExceptions();
    if (!FLibraryLoaded) {
        // Both libraries were there but one lacked a name the program calls: say which.
        const std::string& missing = quillaby::gl::lastMissingEntryPoint();
        if (!missing.empty())
            throw Error("Load library failed: OpenGL entry point " + missing + " is not found!");
        throw Error("Load library failed: OpenGL DLL is not found!");
    }
    return true;
}

bool TOpenGLEngine::CreateRC() {
    GLPixelFormat wanted;
    wanted.ColorBits = ColorBits;
    wanted.AlphaBits = AlphaBits;
    wanted.AccumBits = AccumBits;
    wanted.DepthBits = DepthBits;
    wanted.StencilBits = StencilBits;
    wanted.DoubleBuffer = DoubleBuffer;
    wanted.Generic = Generic;
    if (!FDC->ChoosePixelFormat(wanted)) throw Error("Create RC failed: pixel format is not choosed!");
    if (!FDC->SetPixelFormat()) throw Error("Create RC failed: pixel format is not set!");
    // The chosen values can only be read from a live context here, so the context comes first
    // and is dropped again when the palette step fails.
    const quillaby::platform::GLContextHandle context = FDC->CreateContext();
    if (!context) throw Error("Create RC failed: layer context is not created!");
    const GLPixelFormat chosen = FDC->DescribePixelFormat();
    DoubleBuffer = chosen.DoubleBuffer;
    ColorBits = chosen.ColorBits;
    DepthBits = chosen.DepthBits;
    StencilBits = chosen.StencilBits;
    AlphaBits = chosen.AlphaBits;
    AccumBits = chosen.AccumBits;
    Generic = chosen.Generic;
    if (chosen.NeedsPalette) {
        std::vector<PaletteEntry> palette = BuildLogicalPalette(chosen);
        if (palette.empty() || !FDC->SetPalette(palette)) {
            FDC->DeleteContext(context);
            throw Error("Create RC failed: palette is not created!");
        }
        FPalette = std::move(palette);
    }
    FRC = context;
    FRCSurface = FDC;
    return true;
}

void TOpenGLEngine::MakeCurrent() {
    if (!FDC || !FRC) return;
    FDC->MakeCurrent(FRC);
    quillaby::gl::ResolveExtensionEntryPoints(FDC->ProcLookup());
}

void TOpenGLEngine::Activate() {
    if (FActive) MakeCurrent();
}

void TOpenGLEngine::Deactivate() {
    if (FActive) ReleaseCurrent();
}

void TOpenGLEngine::ReleaseCurrent() {
    if (Surface* surface = FRCSurface ? FRCSurface : FDC) surface->MakeCurrent(nullptr);
}

void TOpenGLEngine::CheckError() {
    const GLenum code = glGetError();
    if (code != GL_NO_ERROR) throw Error(OpenGLErrorMessage(code));
}

void TOpenGLEngine::Swap(Surface* DC) {
    quillaby::gl::MaskFloatingPointExceptions();
    glFlush();
    if (DC) DC->SwapBuffers();
}

void TOpenGLEngine::DestroyRC() {
    if (FRC) {
        ReleaseCurrent();
        FRCSurface->DeleteContext(FRC);
        FRC = nullptr;
        FRCSurface = nullptr;
    }
    FPalette.clear();
}

void TOpenGLEngine::Done() {
    DestroyRC();
    FActive = false;
}

void TOpenGLEngine::UnloadOpenGL() {
    // Only the engine that loaded the libraries lets them go.
    if (FLibraryLoaded) quillaby::gl::UnloadGLLibraries();
    FLibraryLoaded = false;
}

std::vector<PaletteEntry> BuildLogicalPalette(const GLPixelFormat& Format) {
    if (Format.ColorBits <= 0) return {};
    const int count = Format.ColorBits >= 8 ? 256 : 1 << Format.ColorBits;
    const auto channel = [](int index, int bits, int shift) -> uint8_t {
        if (bits <= 0 || bits > 8 || shift < 0 || shift > 23) return 0; // no such channel in a pixel
        const int maximum = (1 << bits) - 1;
        return static_cast<uint8_t>(((index >> shift) & maximum) * 255 / maximum);
    };
    std::vector<PaletteEntry> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        entries[i] = {channel(i, Format.RedBits, Format.RedShift),
                      channel(i, Format.GreenBits, Format.GreenShift),
                      channel(i, Format.BlueBits, Format.BlueShift), 0};
    return entries;
}

std::string OpenGLErrorMessage(unsigned Code) {
    const char* reason = "Undefined error!";
    switch (Code) {
    case GL_INVALID_ENUM:
        reason = "An unacceptable value is specified for an enumerated argument!";
        break;
    case GL_INVALID_VALUE:
        reason = "A numeric argument is out of range!";
        break;
    case GL_INVALID_OPERATION:
        reason = "The specified operation is not allowed in the current state!";
        break;
    case GL_STACK_OVERFLOW:
        reason = "Stack overflow!";
        break;
    case GL_STACK_UNDERFLOW:
        reason = "Stack underflow!";
        break;
    case GL_OUT_OF_MEMORY:
        reason = "There is not enough memory left to execute the function!";
        break;
    }
    return std::string("OpenGL error: ") + reason;
}
