#pragma once
// A dialog dragged onto a monitor of another DPI: the system tells the window (WM_DPICHANGED, Windows
// 8.1 and later) and suggests its new frame. SDL's own answer keeps the client area's pixel size;
// a dialog drawn a whole number of times larger takes that monitor's factor instead.
#include <functional>

#include "platform/win32/WinApi.h"

namespace quillaby::platform {

struct DpiMove {
    unsigned Dpi = 96; // the new monitor's, each way
    RECT Monitor{};    // that monitor, in screen pixels
    RECT Suggested{};  // the frame the system suggests for the window there
};

// From now on `window`'s DPI changes go to `moved` (within the message, so the window can take its
// new size at once) and no further; the window procedure before ours keeps every other message.
void FollowDpiChanges(HWND window, std::function<void(const DpiMove&)> moved);

} // namespace quillaby::platform
