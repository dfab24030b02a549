#include <SDL.h>

#include "platform/Cursor.h"

namespace quillaby::platform {

void ShowCursor(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace quillaby::platform
