#include <cstdlib>

#include "platform/Environment.h"

namespace quillaby::platform {

const char* const OffscreenVideoDriver = "offscreen";

void SetEnv(const std::string& name, const char* value) {
    if (value)
        setenv(name.c_str(), value, 1);
    else
        unsetenv(name.c_str());
}

} // namespace quillaby::platform
