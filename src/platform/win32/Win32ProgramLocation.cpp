// Where the program lives (the folder of the running module, ending in "\") and where it may write
// (the user's local application data folder when its own folder is closed to it). Paths are UTF-8
// here and UTF-16 at the system's calls.
// <windows.h> comes before the headers that build on it.
#include "platform/win32/WinApi.h"

#include <shlobj.h>

#include <string>

#include "platform/ProgramLocation.h"
#include "platform/win32/WideText.h"

namespace quillaby::platform {

std::string ProgramDirectoryOf(const std::string& argv0) {
    // The running module, whatever name the program was started under.
    std::wstring path(MAX_PATH, L'\0');
    std::string found;
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            found = argv0;
            break;
        }
        if (length < path.size()) {
            path.resize(length);
            found = Narrow(path);
            break;
        }
        path.resize(path.size() * 2);
    }
    return found.substr(0, found.size() - FileNameOf(found).size());
}

std::string ExecutableFileName(const std::string& baseName) {
    return baseName + ".exe";
}

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

bool DirectoryWritable(const std::string& directory) {
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(Widen(directory).c_str(), L"qby", 0, name) == 0) return false;
    DeleteFileW(name);
    return true;
}

std::string UserStateDirectory() {
    wchar_t folder[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         folder) != S_OK) {
        const DWORD length = GetTempPathW(MAX_PATH, folder);
        if (length == 0 || length >= MAX_PATH) return ".";
        std::string temp = Narrow(std::wstring_view(folder, length));
        if (!temp.empty() && temp.back() == '\\') temp.pop_back();
        return temp;
    }
    return Narrow(folder);
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty()) return false;
    const std::wstring wide = Widen(directory);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t separator = directory.find_last_of("\\/");
    if (separator != std::string::npos && separator > 0 && directory[separator - 1] != ':')
        MakeDirectories(directory.substr(0, separator));
    return CreateDirectoryW(wide.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace quillaby::platform
