#pragma once
// Settings files under the XDG base directories: the user's in $XDG_CONFIG_HOME (~/.config when
// unset), the machine's in the first folder of $XDG_CONFIG_DIRS (/etc/xdg when unset) that has it.
#include <functional>
#include <string>

#include "platform/SettingsFile.h"

namespace quillaby::platform {

class PosixSettingsFile final : public SettingsFile {
  public:
    // writable false refuses every Update (the machine's file is never written by the program).
    PosixSettingsFile(std::string path, bool writable) : FPath(std::move(path)), FWritable(writable) {}

    std::optional<std::string> Read() override;
    bool Update(const std::function<std::string(const std::optional<std::string>&)>& change) override;

    const std::string& Path() const { return FPath; }
    // Called after the new file is on disk and before it replaces the old one (tests kill the
    // writer here).
    void SetBeforeRename(std::function<void()> hook) { FBeforeRename = std::move(hook); }

  private:
    std::string FPath;
    bool FWritable;
    std::function<void()> FBeforeRename;
};

// Where a root's file lives for relativePath.
std::string SettingsFilePath(SettingsRoot root, const std::string& relativePath);

} // namespace quillaby::platform
