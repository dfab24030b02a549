#pragma once
// An options key kept in a settings file: "Software\<Company>\<Title>" stands for the file
// <Company>/<Title>.conf of the user (read-write) or of the machine (read only). The key reads the
// file once when opened; writes are collected and Flush puts them into the file in one atomic
// replacement, re-reading it first so that values another process stored meanwhile survive.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/RegistryKey.h"
#include "platform/SettingsFile.h"
#include "ui/SettingsText.h"

class TSettingsFileKey final : public quillaby::platform::RegistryKey {
  public:
    // readOnly refuses every write.
    TSettingsFileKey(std::unique_ptr<quillaby::platform::SettingsFile> file, bool readOnly);
    // The key of an application; the machine's is always read only.
    static std::unique_ptr<TSettingsFileKey> Open(quillaby::platform::RegistryRoot root,
                                                  const std::string& company, const std::string& title,
                                                  bool readOnly);
    // "Harnwick Software/Quillaby.conf" for ("Harnwick Software", "Quillaby").
    static std::string FileName(const std::string& company, const std::string& title);

    bool ValueExists(const std::string& name) const override;
    int32_t ReadInteger(const std::string& name) const override;
    std::string ReadString(const std::string& name) const override;
    // Collected until Flush; a read-only key raises at once.
    void WriteInteger(const std::string& name, int32_t value) override;
    // One replacement of the file; when it cannot be written the old file stays.
    void Flush() override;

  private:
    std::unique_ptr<quillaby::platform::SettingsFile> FFile;
    bool FReadOnly;
    TSettingsText FText;
    std::vector<std::pair<std::string, int32_t>> FPending;
};
