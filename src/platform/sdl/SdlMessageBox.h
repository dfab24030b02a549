#pragma once
// Message boxes through SDL. Where no box can be shown (no display, the offscreen or dummy video
// driver) or when the program runs non-interactively, the message goes to the error stream instead,
// so tests and scripts never wait for a click.
#include <cstdio>
#include <memory>

#include "platform/MessageBox.h"

namespace quillaby::platform {

// `interactive` false (a non-interactive command-line switch) or NonInteractiveByEnvironment() sends
// every message to `errors` (stderr when null).
std::unique_ptr<MessageBox> CreateSdlMessageBox(bool interactive, std::FILE* errors = nullptr);

} // namespace quillaby::platform
