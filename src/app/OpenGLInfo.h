#pragma once
// The description of the OpenGL implementation behind the current context: three lines for the
// About box and the longer dump of its limits and extensions for the log.
#include <string>
#include <vector>

namespace quillaby::app {

struct OpenGLInfo {
    std::string Text;             // "Vendor:  ...\r\nVideo:  ...\r\nOpenGL:  ..."
    std::vector<std::string> Log; // the log lines, in order
};

// Reads the current context through the GL table.
OpenGLInfo CollectOpenGLInfo();

// The extension string split into items at blanks and commas; a part in double quotes is one item;
// empty items are dropped.
std::vector<std::string> SplitExtensions(const std::string& extensions);

} // namespace quillaby::app
