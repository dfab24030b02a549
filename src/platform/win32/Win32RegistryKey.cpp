#include "platform/win32/Win32RegistryKey.h"

#include <vector>

#include "base/Error.h"
#include "platform/win32/WideText.h"

namespace quillaby::platform {
namespace {

[[noreturn]] void InvalidDataType(const std::string& name) {
    throw Error("Invalid data type for '" + name + "'");
}

[[noreturn]] void FailedToSet(const std::string& name) {
    throw Error("Failed to set data for '" + name + "'");
}

} // namespace

std::string OptionsKeyPath(const std::string& company, const std::string& title) {
    return company.empty() ? "Software\\" + title : "Software\\" + company + "\\" + title;
}

Win32RegistryKey::Win32RegistryKey(HKEY root, const std::string& path, bool readOnly) : FReadOnly(readOnly) {
    HKEY key = nullptr;
    const LONG result = readOnly
                            ? RegOpenKeyExW(root, Widen(path).c_str(), 0, KEY_READ, &key)
                            : RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) FKey = key;
}

Win32RegistryKey::~Win32RegistryKey() {
    if (FKey != nullptr) RegCloseKey(FKey);
}

bool Win32RegistryKey::ValueExists(const std::string& name) const {
    return FKey != nullptr &&
           RegQueryValueExW(FKey, Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int32_t Win32RegistryKey::ReadInteger(const std::string& name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (FKey == nullptr ||
        RegQueryValueExW(FKey, Widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        InvalidDataType(name);
    return static_cast<int32_t>(value);
}

std::string Win32RegistryKey::ReadString(const std::string& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (FKey == nullptr ||
        RegQueryValueExW(FKey, Widen(name).c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidDataType(name);
    // The stored text need not end in a NUL. Read wide: an installation folder may lie outside the
    // ANSI code page.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(FKey, Widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        InvalidDataType(name);
    buffer.back() = L'\0';
    return Narrow(buffer.data());
}

void Win32RegistryKey::WriteInteger(const std::string& name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    if (FReadOnly || FKey == nullptr ||
        RegSetValueExW(FKey, Widen(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data) != ERROR_SUCCESS)
        FailedToSet(name);
}

} // namespace quillaby::platform
