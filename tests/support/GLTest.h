#pragma once
// Helpers for GL tests. RecordingGL installs the recording table for the life of a test and puts
// the previous table back afterwards; calls() holds the log lines, clear() empties them.
#include "gl/RecordingGL.h"

namespace gltest {

using RecordingGL = quillaby::gl::GLRecorder;

// The log's text for a data pointer, to build expected lines such as glVertexPointer(...).
inline std::string ptr(const void* p) {
    return quillaby::gl::pointerText(p);
}

} // namespace gltest
