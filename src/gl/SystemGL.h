#pragma once
// The system's OpenGL header with the enums of OpenGL 1.2 and later beside it: some systems' gl.h
// stops at OpenGL 1.1 (Windows') and does not name the calling convention GLAPIENTRY.
#include <GL/gl.h>
#include <GL/glext.h>

// Windows' gl.h brings in <windows.h>, whose MessageBox macro would rename our own message-box type
// in some files and not in others.
#undef MessageBox

#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif
