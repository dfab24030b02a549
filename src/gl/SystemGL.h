#pragma once
// The system's OpenGL header with the enums of OpenGL 1.2 and later beside it: some systems' gl.h
// stops at OpenGL 1.1 (Windows') and does not name the calling convention GLAPIENTRY.
#include <GL/gl.h>
#include <GL/glext.h>

#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif
