#include <cstdlib>

#include "platform/Environment.h"

namespace quillaby::platform {

const char* const OffscreenVideoDriver = "windows";

void SetEnv(const std::string& name, const char* value) {
    // The C runtime's copy, which getenv reads; an empty value removes the variable.
    _putenv_s(name.c_str(), value ? value : "");
}

} // namespace quillaby::platform
