#include "platform/NonInteractive.h"

#include <cstdlib>
#include <cstring>

namespace quillaby::platform {

bool NonInteractiveByEnvironment() {
    const char* value = std::getenv("QUILLABY_NONINTERACTIVE");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

} // namespace quillaby::platform
