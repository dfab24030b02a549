#pragma once
// The mouse pointer over the program's windows.
namespace quillaby::platform {

// Shows or hides the pointer; does nothing before the program has any video.
void ShowCursor(bool show);

} // namespace quillaby::platform
