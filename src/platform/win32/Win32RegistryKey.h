#pragma once
// A key of the Windows registry with typed values: integers are REG_DWORD, strings REG_SZ. Writes
// go to the registry at once.
#include <memory>
#include <string>

#include "platform/RegistryKey.h"
#include "platform/win32/WinApi.h"

namespace quillaby::platform {

class Win32RegistryKey final : public RegistryKey {
  public:
    // Opens root\path for reading (readOnly: never created) or creates it for reading and writing.
    // A key that cannot be opened reads as empty and refuses every write.
    Win32RegistryKey(HKEY root, const std::string& path, bool readOnly);
    ~Win32RegistryKey() override;
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    bool Opened() const { return FKey != nullptr; }
    bool ValueExists(const std::string& name) const override;
    int32_t ReadInteger(const std::string& name) const override;
    std::string ReadString(const std::string& name) const override;
    void WriteInteger(const std::string& name, int32_t value) override;
    void Flush() override {}

  private:
    HKEY FKey = nullptr;
    bool FReadOnly;
};

// "Software\<company>\<title>", or "Software\<title>" without a company.
std::string OptionsKeyPath(const std::string& company, const std::string& title);

} // namespace quillaby::platform
