#pragma once
// The options key of the application component: "Software\<Company>\<Title>" in the system's
// registry, per user (read-write) or per machine (read only).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/RegistryKey.h"

enum class TRootKey { CurrentUser, LocalMachine };

class TRegistry {
  public:
    explicit TRegistry(std::unique_ptr<quillaby::platform::RegistryKey> key) : FKey(std::move(key)) {}
    // The options key of an application: Company may be empty ("Software\<Title>").
    static std::unique_ptr<TRegistry> Open(TRootKey root, const std::string& company,
                                           const std::string& title, bool readOnly);

    bool ValueExists(const std::string& name) const { return FKey->ValueExists(name); }
    // Raise "Invalid data type for '<name>'" when the stored value is no integer (or is missing).
    int32_t ReadInteger(const std::string& name) const { return FKey->ReadInteger(name); }
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    // Raises "Invalid data type for '<name>'" when the stored value is no string; "" when missing.
    std::string ReadString(const std::string& name) const { return FKey->ReadString(name); }

    // Raise "Failed to set data for '<name>'" when the key refuses the value; a key may hold the
    // writes until Flush.
    void WriteInteger(const std::string& name, int32_t value) { FKey->WriteInteger(name, value); }
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void Flush() { FKey->Flush(); }

  private:
    std::unique_ptr<quillaby::platform::RegistryKey> FKey;
};
