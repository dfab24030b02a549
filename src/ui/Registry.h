#pragma once
// The options key: "Software\<Company>\<Title>" stands for the settings file
// <Company>/<Title>.conf of the user (read-write) or of the machine (read only). The key reads the
// file once when opened; writes are collected and Flush puts them into the file in one atomic
// replacement, re-reading it first so that values another process stored meanwhile survive.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/SettingsFile.h"
#include "ui/SettingsText.h"

enum class TRootKey { CurrentUser, LocalMachine };

class TRegistry {
  public:
    // readOnly refuses every write; the machine's key is always read only.
    TRegistry(std::unique_ptr<quillaby::platform::SettingsFile> file, bool readOnly);
    // The options key of an application: Company may be empty ("Software\<Title>").
    static std::unique_ptr<TRegistry> Open(TRootKey root, const std::string& company,
                                           const std::string& title, bool readOnly);
    // "Harnwick Software/Quillaby.conf" for ("Harnwick Software", "Quillaby").
    static std::string FileName(const std::string& company, const std::string& title);

    bool ValueExists(const std::string& name) const;
    // Raise "Invalid data type for '<name>'" when the stored value is no integer (or is missing).
    int32_t ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    // Raises "Invalid data type for '<name>'" when the stored value is no string; "" when missing.
    std::string ReadString(const std::string& name) const;

    // Collected until Flush; a read-only key raises "Failed to set data for '<name>'" at once.
    void WriteInteger(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Stores the collected writes in one replacement of the file; raises "Failed to set data for
    // '<first name written>'" when the file cannot be written, and the old file stays.
    void Flush();

  private:
    std::unique_ptr<quillaby::platform::SettingsFile> FFile;
    bool FReadOnly;
    TSettingsText FText;
    std::vector<std::pair<std::string, int32_t>> FPending;
};
