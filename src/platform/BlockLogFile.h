#pragma once
// A log file written in zero-filled blocks: the file always ends in zero bytes up to the end of
// the last block, and a reader stops at the first zero. Each opening starts a new, empty log.
#include <cstddef>
#include <string>
#include <string_view>

namespace quillaby::platform {

class BlockLogFile {
  public:
    static constexpr std::size_t BlockSize = 16384; // bytes

    // Creates or truncates the file (never through a symbolic link) and writes one block of zeros.
    // Raises quillaby::Error "Cannot create file ..." when it cannot.
    explicit BlockLogFile(const std::string& path);
    ~BlockLogFile();
    BlockLogFile(const BlockLogFile&) = delete;
    BlockLogFile& operator=(const BlockLogFile&) = delete;

    // Writes text at the current position, first adding blocks of zeros until it fits.
    void Append(std::string_view text);

    std::size_t Position() const { return FPosition; }
    std::size_t Size() const { return FSize; }

  private:
    void Grow();
    // Writes all of data at offset; raises quillaby::Error "Cannot write to file ..." when it cannot.
    void WriteAt(const char* data, std::size_t size, std::size_t offset);

    std::string FPath;
    int FFd = -1;
    std::size_t FPosition = 0;
    std::size_t FSize = 0;
};

} // namespace quillaby::platform
