#pragma once
// The saver's own full-screen windows answer the system's commands as the system's savers do: a
// saver that shows already starts no other (SC_SCREENSAVE goes no further), while SC_MONITORPOWER
// and the rest reach the default handling. SDL's window procedure keeps its place behind ours.

namespace quillaby::platform {

// `window`: the HWND of a window SDL made.
void KeepSaverCommands(void* window);

} // namespace quillaby::platform
