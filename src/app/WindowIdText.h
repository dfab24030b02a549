#pragma once
// An X window id as the command line gives it: decimal, or 0x hex as X tools print it.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillaby::app {

// None when the text is no such number or exceeds the 29 bits of an X resource id; 0 is returned
// as it stands (the callers decide what no window means to them).
std::optional<uint64_t> ReadWindowId(std::string_view text);

} // namespace quillaby::app
