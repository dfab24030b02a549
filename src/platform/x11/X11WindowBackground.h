#pragma once
// The X server paints an SDL window black itself whenever it shows again: a window that draws
// nothing then costs nothing, yet never shows what lay beneath it.
#include <SDL.h>

namespace quillaby::platform {

// False when the window is not an X11 window.
bool PaintBlackByServer(SDL_Window* window);

// Has the server paint the window's own background over whatever was drawn into it (the root
// window's wallpaper over our last frame). False when the window is not an X11 window.
bool RepaintBackground(SDL_Window* window);

} // namespace quillaby::platform
