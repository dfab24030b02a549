#pragma once
// Run modes that only one system has, tried before the screen-saver command line is read.
#include <optional>
#include <string>
#include <vector>

namespace quillaby::compose {

// The exit code when the arguments asked for such a mode and it ran; nothing otherwise.
std::optional<int> RunSystemMode(int argc, char** argv);

// The program's arguments (argv[0] first) in UTF-8, as the program keeps every text: Windows hands
// main() them in the ANSI code page, which misses names such as "C:\Дмитрий\trace.log".
std::vector<std::string> ProgramArguments(int argc, char** argv);

} // namespace quillaby::compose
