#pragma once
// Whether any of a window can be seen: not unmapped, not minimised, and (on X11) not fully covered
// by other windows. A rendering loop that finds its window unseen waits for events instead of
// drawing a picture nobody sees.
#include <SDL.h>

namespace quillaby::platform {

class SdlWindowVisibility {
  public:
    // On X11 also asks the server for visibility changes, which SDL does not report itself.
    explicit SdlWindowVisibility(SDL_Window* window);

    // Feed every event of the window's loop; returns true when the event changed Visible().
    bool Handle(const SDL_Event& event);
    bool Visible() const { return FShown && !FMinimised && !FCovered; }

  private:
    Uint32 FWindowId;
    bool FShown;
    bool FMinimised;
    bool FCovered = false;
    unsigned long FX11Window = 0; // the X window watched for visibility changes; 0: none
};

} // namespace quillaby::platform
