#include "app/WindowIdText.h"

#include <charconv>

namespace quillaby::app {

std::optional<uint64_t> ReadWindowId(std::string_view text, uint64_t largest) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint64_t id = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || id > largest)
        return std::nullopt;
    return id;
}

} // namespace quillaby::app
