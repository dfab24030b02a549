#include "app/GLTrace.h"

#include <cerrno>
#include <cstring>

#include "base/Error.h"
#include "gl/RecordingGL.h"
#include "platform/FileOpen.h"

namespace quillaby::app {

GLTrace::GLTrace(const std::string& path) {
    FFile = platform::OpenFile(path, "w");
    if (FFile == nullptr) throw Error("Cannot write the GL trace \"" + path + "\": " + std::strerror(errno));
    FRecorder = std::make_unique<gl::GLRecorder>(gl::entryPoints);
    FRecorder->streamTo(FFile);
}

GLTrace::~GLTrace() {
    FRecorder.reset(); // the driver's table is back before the file closes
    std::fclose(FFile);
}

} // namespace quillaby::app
