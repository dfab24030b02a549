// Where the program lives (the folder of the running module, ending in "\") and where it may write
// (the user's local application data folder when its own folder is closed to it).
// <windows.h> comes before the headers that build on it.
#include "platform/win32/WinApi.h"

#include <shlobj.h>

#include <string>

#include "platform/ProgramLocation.h"

namespace quillaby::platform {

std::string ProgramDirectoryOf(const std::string& argv0) {
    // The running module, whatever name the program was started under.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            path = argv0;
            break;
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.size() - FileNameOf(path).size());
}

std::string ExecutableFileName(const std::string& baseName) {
    return baseName + ".exe";
}

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

bool DirectoryWritable(const std::string& directory) {
    char name[MAX_PATH];
    if (GetTempFileNameA(directory.c_str(), "qby", 0, name) == 0) return false;
    DeleteFileA(name);
    return true;
}

std::string UserStateDirectory() {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                         folder) != S_OK) {
        const DWORD length = GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length >= MAX_PATH) return ".";
        std::string temp(folder, length);
        if (!temp.empty() && temp.back() == '\\') temp.pop_back();
        return temp;
    }
    return folder;
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty()) return false;
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t separator = directory.find_last_of("\\/");
    if (separator != std::string::npos && separator > 0 && directory[separator - 1] != ':')
        MakeDirectories(directory.substr(0, separator));
    return CreateDirectoryA(directory.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace quillaby::platform
