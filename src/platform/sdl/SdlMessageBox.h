#pragma once
// Message boxes through SDL. Where no box can be shown (no display, the offscreen or dummy video
// driver) or when the program runs non-interactively, the message goes to the error stream instead,
// so tests and scripts never wait for a click.
#include <cstdio>
#include <memory>

#include "platform/MessageBox.h"

namespace quillaby::platform {

// True when the environment variable QUILLABY_NONINTERACTIVE is set to anything but "" or "0".
bool NonInteractiveByEnvironment();

// `interactive` false (a non-interactive command-line switch) or the environment variable above sends
// every message to `errors` (stderr when null).
std::unique_ptr<MessageBox> CreateSdlMessageBox(bool interactive, std::FILE* errors = nullptr);

} // namespace quillaby::platform
