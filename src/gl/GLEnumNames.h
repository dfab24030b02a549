#pragma once
// Readable names of OpenGL constants, for the call log of the recording table.
#include "gl/SystemGL.h"

#include <string>

namespace quillaby::gl {

// "GL_TEXTURE_2D" for a known enum value, "0x1234" otherwise. 0 and 1 read GL_ZERO and GL_ONE.
std::string enumName(GLenum value);
// "GL_POINTS" .. "GL_POLYGON" for 0..9, the number otherwise.
std::string primitiveModeName(GLenum mode);
// Known bits joined with '|' ("GL_COLOR_BUFFER_BIT|GL_DEPTH_BUFFER_BIT"); unknown bits in hex.
std::string bitmaskName(GLbitfield mask);
// How many values a vector parameter carries for this parameter name (GL_POSITION: 4).
int parameterValueCount(GLenum pname);

} // namespace quillaby::gl
