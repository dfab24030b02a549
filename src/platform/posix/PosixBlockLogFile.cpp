#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "base/Error.h"
#include "platform/BlockLogFile.h"

namespace quillaby::platform {
namespace {

void WriteAll(int fd, const char* data, std::size_t size, std::size_t offset, const std::string& path) {
    while (size > 0) {
        const ssize_t n = pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error("Cannot write to file " + path + ". " + std::strerror(errno));
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::size_t>(n);
    }
}

} // namespace

BlockLogFile::BlockLogFile(const std::string& path) : path_(path) {
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) throw Error("Cannot create file " + path + ". " + std::strerror(errno));
    try {
        Grow();
    } catch (...) {
        close(fd_);
        throw;
    }
}

BlockLogFile::~BlockLogFile() {
    close(fd_);
}

void BlockLogFile::Grow() {
    static const std::vector<char> zeros(BlockSize, 0);
    WriteAll(fd_, zeros.data(), zeros.size(), size_, path_);
    size_ += BlockSize;
}

void BlockLogFile::Append(std::string_view text) {
    // Strictly less: the text is always followed by at least one zero byte.
    while (size_ < position_ + text.size() + 1) Grow();
    WriteAll(fd_, text.data(), text.size(), position_, path_);
    position_ += text.size();
}

} // namespace quillaby::platform
