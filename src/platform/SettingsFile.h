#pragma once
// The text file that holds one options key. Readers see a whole file or none (a writer replaces it
// atomically); writers serialise with each other and re-read under the lock, so concurrent saves
// never lose each other's values.
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace quillaby::platform {

// Per user and read-write, or machine-wide and read-only.
enum class SettingsRoot { User, Machine };

class SettingsFile {
  public:
    virtual ~SettingsFile() = default;
    // The file's bytes; nothing when it does not exist or cannot be read. Creates nothing.
    virtual std::optional<std::string> Read() = 0;
    // Locks out other writers, reads the current bytes (nothing when there is no file yet), hands
    // them to change and writes what it returns in place of the file. False when the file could not
    // be read or written; the old file then stays as it was.
    virtual bool Update(const std::function<std::string(const std::optional<std::string>&)>& change) = 0;
};

// The file at relativePath ("Harnwick Software/Quillaby.conf") under the root's folder.
std::unique_ptr<SettingsFile> OpenSettingsFile(SettingsRoot root, const std::string& relativePath);

} // namespace quillaby::platform
