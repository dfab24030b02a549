#include "platform/BlockLogFile.h"

#include <vector>

namespace quillaby::platform {

void BlockLogFile::Grow() {
    static const std::vector<char> zeros(BlockSize, 0);
    WriteAt(zeros.data(), zeros.size(), FSize);
    FSize += BlockSize;
}

void BlockLogFile::Append(std::string_view text) {
    // Strictly less: the text is always followed by at least one zero byte.
    while (FSize < FPosition + text.size() + 1) Grow();
    WriteAt(text.data(), text.size(), FPosition);
    FPosition += text.size();
}

} // namespace quillaby::platform
