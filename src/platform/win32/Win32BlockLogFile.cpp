// The block log on Windows: the file is shared for reading only while it is open, so a second writer
// cannot slip lines into it.
#include <io.h>

#include "base/Error.h"
#include "platform/BlockLogFile.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {
namespace {

// The system's text for the last error.
std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

HANDLE FileOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

void WriteAll(int fd, const char* data, std::size_t size, std::size_t offset, const std::string& path) {
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
        DWORD written = 0;
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        if (!WriteFile(FileOf(fd), data, chunk, &written, &at) || written == 0)
            throw Error("Cannot write to file " + path + ". " + LastErrorText());
        data += written;
        size -= written;
        offset += written;
    }
}

} // namespace

BlockLogFile::BlockLogFile(const std::string& path) : FPath(path) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw Error("Cannot create file " + path + ". " + LastErrorText());
    FFd = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (FFd < 0) {
        CloseHandle(file);
        throw Error("Cannot create file " + path + ".");
    }
    try {
        Grow();
    } catch (...) {
        _close(FFd);
        throw;
    }
}

BlockLogFile::~BlockLogFile() {
    _close(FFd); // closes the system handle too
}

void BlockLogFile::WriteAt(const char* data, std::size_t size, std::size_t offset) {
    WriteAll(FFd, data, size, offset, FPath);
}

} // namespace quillaby::platform
