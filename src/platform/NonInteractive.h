#pragma once
// Whether the run was asked not to wait for the user, shared by every system's message boxes.

namespace quillaby::platform {

// True when the environment variable QUILLABY_NONINTERACTIVE is set to anything but "" or "0".
bool NonInteractiveByEnvironment();

} // namespace quillaby::platform
