#pragma once
// Where the running program lives and where it may write.
#include <string>

namespace quillaby::platform {

// The absolute folder of the program started as `argv0`, ending in "/": its own folder part when it
// has one, else the first folder on PATH holding an executable of that name, else the current folder.
// Symbolic links are not followed, so a link's folder counts.
std::string ProgramDirectoryOf(const std::string& argv0);

// The file name of `path`: what follows its last folder separator.
std::string FileNameOf(const std::string& path);

// The file name of the program's executable twin with base name `baseName`: the name itself on
// Linux, with ".exe" on Windows.
std::string ExecutableFileName(const std::string& baseName);

// The absolute folder, ending in "/", of the first file on PATH named `name` that may be run (as
// execvp would find it); empty when there is none.
std::string FolderOnPath(const std::string& name);

// True when this process may create files in `directory`.
bool DirectoryWritable(const std::string& directory);

// The per-user folder for state such as logs: $XDG_STATE_HOME, else ~/.local/state; no trailing "/".
std::string UserStateDirectory();

// Creates `directory` and its parents (mode 0700 for new ones); false when it cannot.
bool MakeDirectories(const std::string& directory);

} // namespace quillaby::platform
