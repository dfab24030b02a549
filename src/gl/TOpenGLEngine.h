#pragma once
// TOpenGLEngine: one OpenGL rendering context on one drawing surface (the DC). It loads the GL
// libraries, asks the surface for a pixel format, creates, activates and destroys the context,
// presents frames, and turns OpenGL error codes into exceptions with fixed messages.
// The engine does not own the surface; it owns the context and the palette.
#include <string>
#include <vector>

#include "platform/GLSurface.h"
#include "platform/SharedLibrary.h"

class TOpenGLEngine {
  public:
    using Surface = quillaby::platform::GLSurface;

    TOpenGLEngine();
    // Done, then UnloadOpenGL.
    ~TOpenGLEngine();
    TOpenGLEngine(const TOpenGLEngine&) = delete;
    TOpenGLEngine& operator=(const TOpenGLEngine&) = delete;

    // Requests back to their defaults: not generic, double-buffered, 16-bit colour and depth.
    void SetDefaults();
    // Makes no context current first when one exists, then stores the surface (null: none).
    void SetDC(Surface* DC);
    Surface* DC() const { return FDC; }

    // Loads the libraries and creates the context; raises on any failure and stays inactive.
    bool Init();
    // Loads and binds the libraries once per engine; raises "Load library failed: OpenGL DLL is not
    // found!" when either is missing, and names the entry point when a library lacks a required one.
    bool LoadOpenGL();
    // Pixel format, palette and context; the context is not made current here.
    bool CreateRC();
    // Makes the context current on the surface, then looks up the extension entry points again.
    void MakeCurrent();
    void Activate();
    void Deactivate();
    void ReleaseCurrent();
    // Reads one OpenGL error code and raises "OpenGL error: ..." when it is not zero.
    void CheckError();
    // Masks floating-point exceptions, flushes OpenGL and presents the frame on DC.
    void Swap(Surface* DC);
    void DestroyRC();
    void Done();
    void UnloadOpenGL();

    quillaby::platform::GLContextHandle RC() const { return FRC; }
    // Built only for palette formats; empty otherwise.
    const std::vector<quillaby::platform::PaletteEntry>& Palette() const { return FPalette; }
    bool Active() const { return FActive; }
    bool LibraryLoaded() const { return FLibraryLoaded; }

    // Requests before Init; after Init, what the surface chose.
    bool DoubleBuffer = true;
    int DepthBits = 16;
    int AccumBits = 0;
    int StencilBits = 0;
    int ColorBits = 16;
    // A wish for the software rasterizer; after Init, whether one draws.
    bool Generic = false;
    int AlphaBits = 0;
    std::string GLLibraryName = quillaby::platform::SystemGLLibraryName;
    std::string GLULibraryName = quillaby::platform::SystemGLULibraryName;

  private:
    quillaby::platform::GLContextHandle FRC = nullptr;
    // The surface the context was made on, so it can be deleted even after SetDC changed the DC.
    Surface* FRCSurface = nullptr;
    std::vector<quillaby::platform::PaletteEntry> FPalette;
    bool FActive = false;
    Surface* FDC = nullptr;
    bool FLibraryLoaded = false;
};

// The logical palette of a palette format: 2^ColorBits entries (at most 256), each channel spread
// evenly over 0..255 by the format's bit counts and shifts; a channel without bits stays 0.
std::vector<quillaby::platform::PaletteEntry>
BuildLogicalPalette(const quillaby::platform::GLPixelFormat& Format);

// The message of an OpenGL error code ("OpenGL error: Stack overflow!").
std::string OpenGLErrorMessage(unsigned Code);
