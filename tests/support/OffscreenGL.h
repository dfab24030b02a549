#pragma once
// Helpers for tests that render for real: a small SDL window (CTest runs them with the "offscreen"
// video driver, Mesa's llvmpipe) with an engine whose context is current; reading the frame back;
// comparing it with an expected picture within a tolerance; writing PNGs of what was seen.
#include "gl/SystemGL.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/PngWriter.h"
#include "gl/GLCalls.h"
#include "gl/TOpenGLEngine.h"
#include "platform/sdl/SdlGLWindow.h"

namespace gltest {

// An RGBA picture, rows top to bottom.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
    uint8_t* at(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    void fill(int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b) // [x0, x1) x [y0, y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = at(x, y);
                p[0] = r, p[1] = g, p[2] = b, p[3] = 255;
            }
    }
};

// A width x height window with a 32-bit, depth-buffered, double-buffered context made current.
class OffscreenGL {
  public:
    explicit OffscreenGL(int width = 64, int height = 64)
        : window(
              {.Title = "Quillaby test", .X = 0, .Y = 0, .Width = width, .Height = height, .Hidden = true}) {
        engine.ColorBits = 32;
        engine.SetDC(&window);
        engine.Init();
        engine.Activate();
    }
    ~OffscreenGL() {
        engine.Deactivate();
        engine.Done();
        engine.SetDC(nullptr);
    }
    int width() const { return window.DrawableWidth(); }
    int height() const { return window.DrawableHeight(); }

    quillaby::platform::SdlGLWindow window;
    TOpenGLEngine engine;
};

// The current colour buffer (the back buffer of a double-buffered context), rows top to bottom.
inline Image ReadBack(int width, int height) {
    Image image(width, height);
    std::vector<uint8_t> rows(image.rgba.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::copy_n(&rows[(height - 1 - y) * stride], stride, &image.rgba[y * stride]);
    return image;
}

// Where tests write the pictures they looked at: <build>/test-output/<name>.png.
inline std::string OutputPath(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::path(QUILLABY_BINARY_DIR) / "test-output";
    std::filesystem::create_directories(dir);
    return (dir / (name + ".png")).string();
}

inline void SavePng(const Image& image, const std::string& path) {
    quillaby::app::WritePng(path, image.width, image.height, image.rgba);
}

// Compares the colour channels of every pixel. Empty when each differs from the expectation by at
// most `tolerance`; otherwise writes <name>-actual.png and <name>-expected.png and describes the
// first bad pixel (rows counted from the top).
inline std::string CompareImages(const Image& actual, const Image& expected, int tolerance,
                                 const std::string& name) {
    if (actual.width != expected.width || actual.height != expected.height)
        return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + ", expected " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height);
    for (int y = 0; y < actual.height; ++y)
        for (int x = 0; x < actual.width; ++x) {
            const uint8_t* a = actual.at(x, y);
            const uint8_t* e = expected.at(x, y);
            for (int c = 0; c < 3; ++c) {
                if (std::abs(a[c] - e[c]) <= tolerance) continue;
                SavePng(actual, OutputPath(name + "-actual"));
                SavePng(expected, OutputPath(name + "-expected"));
                auto rgb = [](const uint8_t* p) {
                    return "(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ", " +
                           std::to_string(p[2]) + ")";
                };
                return "first bad pixel at (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + rgb(a) + ", expected " + rgb(e) + " within " + std::to_string(tolerance) +
                       "; pictures in " + OutputPath(name + "-actual");
            }
        }
    return "";
}

} // namespace gltest
