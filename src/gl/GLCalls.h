#pragma once
// Include this to call OpenGL and GLU. Every entry point of the list in gl/OpenGL12.h is a
// function-like macro that calls through its slot in the process-wide table, so code reads like GL:
//     glEnable(GL_BLEND);   // expands to (::quillaby::gl::entryPoints.glEnable)(GL_BLEND)
// A name not followed by '(' is left alone, so entryPoints.glEnable still names the slot itself.
// The table is filled by LoadGLLibraries (or replaced by a recording or null table in tests and
// benchmarks); the program never links libGL or libGLU. The optional extension entries
// (glLockArraysEXT, glUnlockArraysEXT) may be null: test them before calling.
//
// Sources we do not own that call GL (Dear ImGui's OpenGL2 backend) compile against the table when
// built with `-include gl/GLCalls.h`.
//
// <GL/gl.h> supplies the types and constants and must be seen before the macros: this header
// includes it first. Never include it again after this header in a way that bypasses its guard.
#include "gl/SystemGL.h"

#include "gl/OpenGL12.h"

#include "gl/GLCallNames.h"
