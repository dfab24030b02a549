#pragma once
// The frame rate written into the lower left corner of the picture ("FPS: 30"), as screen-saver
// hacks show it, in a small built-in pixel font. It leaves the OpenGL state as it found it.
#include <string>

namespace quillaby::app {

class FrameRateOverlay {
  public:
    void SetRate(int framesPerSecond) { FText = "FPS: " + std::to_string(framesPerSecond); }
    const std::string& Text() const { return FText; }
    // Draws the text over the current frame of a width x height pixel surface.
    void Draw(int width, int height) const;

  private:
    std::string FText = "FPS: -";
};

} // namespace quillaby::app
