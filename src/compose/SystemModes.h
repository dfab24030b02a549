#pragma once
// Run modes that only one system has, tried before the screen-saver command line is read.
#include <optional>

namespace quillaby::compose {

// The exit code when the arguments asked for such a mode and it ran; nothing otherwise.
std::optional<int> RunSystemMode(int argc, char** argv);

} // namespace quillaby::compose
