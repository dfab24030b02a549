#include <SDL.h>

#include "platform/Processes.h"

namespace quillaby::platform {

bool OpenDocument(const std::string& document) {
    return SDL_OpenURL(document.c_str()) == 0;
}

} // namespace quillaby::platform
