#pragma once
// Starting a program from an argument vector (never through a shell), with default signal handling
// and no blocked signals in the child, whatever ours are.
#include <string>
#include <vector>

namespace quillaby::platform {

struct SpawnOptions {
    std::string Directory;   // the child's working folder; empty: ours
    bool NewSession = false; // no terminal's hang-up reaches the child
    bool NullInput = false;  // standard input from /dev/null
};

// Starts `program` with `arguments` (argument 0 included). Returns the process id, or -1 with the
// system's reason in `whyNot` (when given).
int Spawn(const std::string& program, const std::vector<std::string>& arguments, const SpawnOptions& options,
          std::string* whyNot = nullptr);

} // namespace quillaby::platform
