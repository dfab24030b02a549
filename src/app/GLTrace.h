#pragma once
// A trace of the program's OpenGL calls: while it lives, every call goes on to the driver and is
// written to a file as one text line. Start it after the driver is loaded; end it before the context goes.
#include <cstdio>
#include <memory>
#include <string>

namespace quillaby::gl {
class GLRecorder;
}

namespace quillaby::app {

class GLTrace {
  public:
    // Raises an error naming the file when it cannot be created.
    explicit GLTrace(const std::string& path);
    ~GLTrace();
    GLTrace(const GLTrace&) = delete;
    GLTrace& operator=(const GLTrace&) = delete;

  private:
    std::FILE* FFile = nullptr;
    std::unique_ptr<gl::GLRecorder> FRecorder;
};

} // namespace quillaby::app
