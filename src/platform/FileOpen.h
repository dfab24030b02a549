#pragma once
// Opening a file by a UTF-8 path, as std::fopen would: on Windows the narrow C runtime reads paths in
// the ANSI code page, which misses folders such as "C:\Дмитрий".
#include <cstdio>
#include <string>

namespace quillaby::platform {

// std::fopen's modes and result (null with errno set when it cannot).
std::FILE* OpenFile(const std::string& path, const char* mode);
// std::remove by a UTF-8 path; false when the file could not be removed.
bool RemoveFile(const std::string& path);

} // namespace quillaby::platform
