#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

BlockLogFile::BlockLogFile(const std::string& path) : FPath(path) {
    FFd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (FFd < 0) throw Error("Cannot create file " + path + ". " + std::strerror(errno));
    try {
        Grow();
    } catch (...) {
        close(FFd);
        throw;
    }
}

BlockLogFile::~BlockLogFile() {
    close(FFd);
}

void BlockLogFile::WriteAt(const char* data, std::size_t size, std::size_t offset) {
    WriteAll(FFd, data, size, offset, FPath);
}

} // namespace quillaby::platform
