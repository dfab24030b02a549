#include "platform/FileOpen.h"

namespace quillaby::platform {

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

} // namespace quillaby::platform
