#include <SDL.h>

#include "platform/Processes.h"
#include "platform/ProgramLocation.h"

namespace quillaby::platform {

bool OpenDocument(const std::string& document, std::string* whyNot) {
#ifndef _WIN32
    // SDL hands the document to xdg-open in a grandchild process and reports success whether or not
    // that program exists, so look for it first.
    if (FolderOnPath("xdg-open").empty()) {
        if (whyNot) *whyNot = "xdg-open was not found on PATH";
        return false;
    }
#endif
    if (SDL_OpenURL(document.c_str()) == 0) return true;
    if (whyNot) *whyNot = SDL_GetError();
    return false;
}

} // namespace quillaby::platform
