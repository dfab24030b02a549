#pragma once
// The current size of the render surface in pixels, as the particle systems see it when
// they place a newborn particle at the edge of the view.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/GLSurface.h"

namespace quillaby::scene {

class SurfaceSize {
  public:
    virtual ~SurfaceSize() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The lower-left corner of the drawing area in the window, pixels.
    virtual int Left() const { return 0; }
    virtual int Bottom() const { return 0; }
};

// A size that is simply stored: for offscreen runs, tools and tests.
class FixedSurfaceSize : public SurfaceSize {
  public:
    FixedSurfaceSize(int width, int height) : FWidth(width), FHeight(height) {}
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void Resize(int width, int height) {
        FWidth = width;
        FHeight = height;
    }

  private:
    int FWidth;
    int FHeight;
};

// The drawable size of the surface the scene renders on.
class GLSurfaceSize : public SurfaceSize {
  public:
    explicit GLSurfaceSize(const platform::GLSurface& surface) : FSurface(surface) {}
    int Width() const override { return FSurface.DrawableWidth(); }
    int Height() const override { return FSurface.DrawableHeight(); }
    int Left() const override { return FSurface.DrawableLeft(); }
    int Bottom() const override { return FSurface.DrawableBottom(); }

  private:
    const platform::GLSurface& FSurface;
};

// The drawable size of the surface that `holder` (a pointer) holds; 0 x 0 while it holds none.
template <class Holder> class HeldSurfaceSize : public SurfaceSize {
  public:
    explicit HeldSurfaceSize(const Holder& holder) : FHolder(holder) {}
    int Width() const override { return FHolder ? FHolder->DrawableWidth() : 0; }
    int Height() const override { return FHolder ? FHolder->DrawableHeight() : 0; }
    int Left() const override { return FHolder ? FHolder->DrawableLeft() : 0; }
    int Bottom() const override { return FHolder ? FHolder->DrawableBottom() : 0; }

  private:
    const Holder& FHolder;
};

// Of a main surface and more, the one with the widest aspect (the main one on a tie).
class WidestSurfaceSize : public SurfaceSize {
  public:
    WidestSurfaceSize(const SurfaceSize& main, const std::vector<platform::GLSurface*>& more)
        : FMain(main), FMore(more) {}
    int Width() const override { return Widest().first; }
    int Height() const override { return Widest().second; }

  private:
    std::pair<int, int> Widest() const {
        std::pair<int, int> widest{FMain.Width(), FMain.Height()};
        for (const platform::GLSurface* s : FMore) {
            const int w = s->DrawableWidth(), h = s->DrawableHeight();
            // w / h > widest.w / widest.h, without dividing by a height of 0.
            if (h > 0 && (widest.second <= 0 || int64_t{w} * widest.second > int64_t{widest.first} * h))
                widest = {w, h};
        }
        return widest;
    }

    const SurfaceSize& FMain;
    const std::vector<platform::GLSurface*>& FMore;
};

} // namespace quillaby::scene
