#pragma once
// A window handle as the command line gives it: decimal, or 0x hex as X tools print it. How large a
// handle may be, and what an error asks for instead, is the system's own (platform::WindowHandleText).
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/SaverSystem.h"

namespace quillaby::app {

// None when the text is no such number or exceeds `largest` (by default the 29 bits of an X resource
// id); 0 is returned as it stands (the callers decide what no window means to them).
std::optional<uint64_t> ReadWindowId(std::string_view text, uint64_t largest = platform::XWindowIds.Largest);

} // namespace quillaby::app
