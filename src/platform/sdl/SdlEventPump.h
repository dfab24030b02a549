#pragma once
// SDL's event queue as the application's message queue.
#include <memory>

#include "platform/EventPump.h"

namespace quillaby::platform {

std::unique_ptr<EventPump> CreateSdlEventPump();

} // namespace quillaby::platform
