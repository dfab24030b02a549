#pragma once
// The system's OpenGL header with the enums of OpenGL 1.2 and later beside it: Windows' gl.h stops
// at OpenGL 1.1 and does not name the calling convention GLAPIENTRY.
//
// Windows' gl.h would include all of <windows.h> (and its macros, MessageBox among them) for the two
// words below. Neither matters here: nothing calls an OpenGL function by its declared name (every
// call goes through the entry-point table), and x86-64 has one calling convention.
#ifndef APIENTRY
#define APIENTRY
#endif
#ifndef WINGDIAPI
#define WINGDIAPI
#endif
#include <GL/gl.h>
#include <GL/glext.h>

#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif
