#pragma once
// Starting other programs: processes from an argument vector (never through a shell), and
// documents through the desktop's opener.
#include <string>
#include <vector>

namespace quillaby::platform {

// How a started program shows its first window, where the system lets the starter choose.
enum class ShowWindow { Show, Hide, Maximize, Minimize };

// Starts `program` with `arguments` (argument 0 included) in `directory` (empty: ours) and gives the
// child the nice value `niceValue` (0 normal, 19 idle, negative above normal; a value the system
// refuses is left as it is; Windows takes the matching priority class). Returns the process id, or
// -1 when the program could not be started.
int StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory, int niceValue, ShowWindow show = ShowWindow::Show);

// True when `path` names a program file this system can start as a process.
bool IsExecutableFile(const std::string& path);

// Blocks until the process ends; SIGTERM, SIGINT and SIGHUP that reach us meanwhile are passed on to
// it (Windows: our window messages keep being handled, and a quit request ends the wait with -1).
// Returns its exit code (128 + signal when a signal ended it), or -1.
int WaitForProcess(int pid);

// The nice value of a process (0: ours), read back from the system.
int NiceValueOf(int pid);

// Opens a document or web address with the desktop's own opener; false when none took it, and then
// `whyNot` (when given) gets the system's reason.
bool OpenDocument(const std::string& document, std::string* whyNot = nullptr);

} // namespace quillaby::platform

namespace quillaby::platform {

// Our own process back at normal priority where the system allows it (lowering a nice value needs
// privileges; without them ours stays as it is).
void SetNormalPriority();

} // namespace quillaby::platform
