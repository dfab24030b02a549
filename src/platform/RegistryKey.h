#pragma once
// One opened options key of the system's registry: named values, integers and strings, each read
// with its own type.
#include <cstdint>
#include <memory>
#include <string>

namespace quillaby::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    virtual bool ValueExists(const std::string& name) const = 0;
    // Raises quillaby::Error "Invalid data type for '<name>'" when the value is no integer or is missing.
    virtual int32_t ReadInteger(const std::string& name) const = 0;
    // Raises "Invalid data type for '<name>'" when the value is no string; "" when it is missing.
    virtual std::string ReadString(const std::string& name) const = 0;
    // Raises "Failed to set data for '<name>'" when the key is read only or refuses the value. A key
    // may collect writes until Flush.
    virtual void WriteInteger(const std::string& name, int32_t value) = 0;
    // Stores collected writes; raises "Failed to set data for '<first name>'" when it cannot.
    virtual void Flush() = 0;
};

// The key "Software\<company>\<title>" ("Software\<title>" when company is empty) under root. A
// read-only key is never created; a missing one reads as empty.
std::unique_ptr<RegistryKey> OpenRegistryKey(RegistryRoot root, const std::string& company,
                                             const std::string& title, bool readOnly);

} // namespace quillaby::platform
