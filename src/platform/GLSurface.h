#pragma once
// A drawing surface that can carry an OpenGL context: what the rendering engine calls its DC.
// The engine asks for a pixel format, creates, activates and deletes contexts and presents frames
// only through this interface.
#include <cstdint>
#include <string>
#include <vector>

namespace quillaby::platform {

// A pixel format: the engine's request, or what the surface actually chose.
struct GLPixelFormat {
    int ColorBits = 16; // bits a pixel occupies in the colour buffer (16 or 32)
    int AlphaBits = 0;
    int DepthBits = 16;
    int StencilBits = 0;
    int AccumBits = 0;
    bool DoubleBuffer = true;
    // Chosen only: a software rasterizer draws.
    bool Generic = false;
    // Chosen only: an 8-bit format drawn through a logical palette, with its channel layout.
    bool NeedsPalette = false;
    int RedBits = 0, RedShift = 0, GreenBits = 0, GreenShift = 0, BlueBits = 0, BlueShift = 0;
};

struct PaletteEntry {
    uint8_t Red, Green, Blue, Flags;
};

// Whether an OpenGL renderer string ("llvmpipe (LLVM 15.0.6, 256 bits)") names a software rasterizer.
inline bool NamesSoftwareRasterizer(const std::string& renderer) {
    for (const char* name : {"llvmpipe", "softpipe", "swrast"})
        if (renderer.find(name) != std::string::npos) return true;
    return false;
}

// An opaque context handle; null is "no context".
using GLContextHandle = void*;
// Looks up an entry point in the driver of the current context; may answer null.
using ProcAddressLookup = void* (*)(const char* name);

class GLSurface {
  public:
    virtual ~GLSurface() = default;
    // Asks for a format with at least the wanted bits; false when none can be had.
    virtual bool ChoosePixelFormat(const GLPixelFormat& wanted) = 0;
    // Fixes the chosen format on the surface; false when the surface refuses it.
    virtual bool SetPixelFormat() = 0;
    // Creates a context on the surface; no context is current afterwards. Null on failure.
    virtual GLContextHandle CreateContext() = 0;
    // The format the surface got; complete once a context exists.
    virtual GLPixelFormat DescribePixelFormat() = 0;
    // Selects and realises a logical palette (palette formats only); false when it cannot.
    virtual bool SetPalette(const std::vector<PaletteEntry>& entries) = 0;
    // Makes the context current on this surface and thread; null makes none current.
    virtual bool MakeCurrent(GLContextHandle context) = 0;
    virtual void DeleteContext(GLContextHandle context) = 0;
    // Presents the back buffer; the caller has flushed OpenGL.
    virtual void SwapBuffers() = 0;
    virtual ProcAddressLookup ProcLookup() const = 0;
    // The drawable's size in pixels (0 x 0 before the surface exists).
    virtual int DrawableWidth() const = 0;
    virtual int DrawableHeight() const = 0;
    // Where the drawing area starts in the window, in pixels from its lower-left corner: not at
    // the origin when the surface is a part of a larger window.
    virtual int DrawableLeft() const { return 0; }
    virtual int DrawableBottom() const { return 0; }
    // Draws at Percent (25 to 100) of each side from the next frame on and has the system (a
    // compositor's viewport) scale the picture up to the whole surface: true when the surface does,
    // its drawable size being then the smaller one. False: the caller scales, as at 100.
    virtual bool LetSystemScale(int /*Percent*/) { return false; }
};

} // namespace quillaby::platform
