#pragma once
// The OpenGL and GLU binding: one list of every entry point the program calls, the process-wide
// table of pointers built from it, and the run-time loader of libGL / libGLU.
//
// Code that draws does not use this header directly: it includes "gl/GLCalls.h", which maps each
// name in the list (glEnable, gluLookAt, ...) to the table entry, so calls read like plain GL.
#include "gl/SystemGL.h"

#include <functional>
#include <string>

// The one list. Each entry is X(library, return type, name, argument kinds, (parameters), (arguments)).
//   library: GL (looked up in libGL; the load fails without it), GLU (likewise in libGLU),
//            OPT (looked up in libGL, left empty when missing: nothing depends on it),
//            CVA and MTX (optional extensions, resolved again on every make-current and left empty
//            unless the current context offers them: CVA compiled vertex arrays, MTX multitexture
//            with texture combiners).
//   argument kinds, one letter per parameter, tell the recording table how to print each argument:
//     e enum   b bitmask   m primitive mode   B boolean   i integer   f float or double
//     p data pointer (printed as an address)   o output pointer   s C string
//     v values whose count follows from the preceding enum (GL_POSITION: 4, GL_SPOT_DIRECTION: 3)
//     2 3 4 a fixed number of values   M a 4 x 4 matrix   n values, as many as the preceding integer
// Adding an entry point is one line; the call macros of GLCalls.h are generated from this list.
#define QUILLABY_GL_ENTRY_POINTS(X)                                                                          \
    X(GL, void, glAlphaFunc, "ef", (GLenum func, GLclampf ref), (func, ref))                                 \
    X(GL, void, glBegin, "m", (GLenum mode), (mode))                                                         \
    X(GL, void, glBindTexture, "ei", (GLenum target, GLuint texture), (target, texture))                     \
    X(GL, void, glBlendFunc, "ee", (GLenum sfactor, GLenum dfactor), (sfactor, dfactor))                     \
    X(GL, void, glCallList, "i", (GLuint list), (list))                                                      \
    X(GL, void, glClear, "b", (GLbitfield mask), (mask))                                                     \
    X(GL, void, glClearColor, "ffff", (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a))        \
    X(GL, void, glClearDepth, "f", (GLclampd depth), (depth))                                                \
    X(GL, void, glClearStencil, "i", (GLint s), (s))                                                         \
    X(GL, void, glColor3f, "fff", (GLfloat r, GLfloat g, GLfloat b), (r, g, b))                              \
    X(GL, void, glColor3ub, "iii", (GLubyte r, GLubyte g, GLubyte b), (r, g, b))                             \
    X(GL, void, glColor4f, "ffff", (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))               \
    X(GL, void, glColor4fv, "4", (const GLfloat* v), (v))                                                    \
    X(GL, void, glColor4ub, "iiii", (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a))              \
    X(GL, void, glColorMask, "BBBB", (GLboolean r, GLboolean g, GLboolean b, GLboolean a), (r, g, b, a))     \
    X(GL, void, glColorMaterial, "ee", (GLenum face, GLenum mode), (face, mode))                             \
    X(GL, void, glColorPointer, "ieip", (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),        \
      (size, type, stride, ptr))                                                                             \
    X(GL, void, glCopyTexSubImage2D, "eiiiiiii",                                                             \
      (GLenum target, GLint level, GLint xoff, GLint yoff, GLint x, GLint y, GLsizei w, GLsizei h),          \
      (target, level, xoff, yoff, x, y, w, h))                                                               \
    X(GL, void, glCullFace, "e", (GLenum mode), (mode))                                                      \
    X(GL, void, glDeleteLists, "ii", (GLuint list, GLsizei range), (list, range))                            \
    X(GL, void, glDeleteTextures, "in", (GLsizei n, const GLuint* textures), (n, textures))                  \
    X(GL, void, glDepthFunc, "e", (GLenum func), (func))                                                     \
    X(GL, void, glDepthMask, "B", (GLboolean flag), (flag))                                                  \
    X(GL, void, glDepthRange, "ff", (GLclampd zNear, GLclampd zFar), (zNear, zFar))                          \
    X(GL, void, glDisable, "e", (GLenum cap), (cap))                                                         \
    X(GL, void, glDisableClientState, "e", (GLenum array), (array))                                          \
    X(GL, void, glDrawArrays, "mii", (GLenum mode, GLint first, GLsizei count), (mode, first, count))        \
    X(GL, void, glDrawBuffer, "e", (GLenum mode), (mode))                                                    \
    X(GL, void, glDrawElements, "miep", (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),    \
      (mode, count, type, indices))                                                                          \
    X(GL, void, glEnable, "e", (GLenum cap), (cap))                                                          \
    X(GL, void, glEnableClientState, "e", (GLenum array), (array))                                           \
    X(GL, void, glEnd, "", (), ())                                                                           \
    X(GL, void, glEndList, "", (), ())                                                                       \
    X(GL, void, glFinish, "", (), ())                                                                        \
    X(GL, void, glFlush, "", (), ())                                                                         \
    X(GL, void, glFogf, "ef", (GLenum pname, GLfloat param), (pname, param))                                 \
    X(GL, void, glFogfv, "ev", (GLenum pname, const GLfloat* params), (pname, params))                       \
    X(GL, void, glFogi, "ee", (GLenum pname, GLint param), (pname, param))                                   \
    X(GL, void, glFrontFace, "e", (GLenum mode), (mode))                                                     \
    X(GL, void, glFrustum, "ffffff",                                                                         \
      (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar),         \
      (left, right, bottom, top, zNear, zFar))                                                               \
    X(GL, GLuint, glGenLists, "i", (GLsizei range), (range))                                                 \
    X(GL, void, glGenTextures, "in", (GLsizei n, GLuint * textures), (n, textures))                          \
    X(GL, void, glGetBooleanv, "eo", (GLenum pname, GLboolean * params), (pname, params))                    \
    X(GL, void, glGetDoublev, "eo", (GLenum pname, GLdouble * params), (pname, params))                      \
    X(GL, GLenum, glGetError, "", (), ())                                                                    \
    X(GL, void, glGetFloatv, "eo", (GLenum pname, GLfloat * params), (pname, params))                        \
    X(GL, void, glGetIntegerv, "eo", (GLenum pname, GLint * params), (pname, params))                        \
    X(GL, const GLubyte*, glGetString, "e", (GLenum name), (name))                                           \
    X(GL, void, glGetTexEnviv, "eeo", (GLenum target, GLenum pname, GLint * params),                         \
      (target, pname, params))                                                                               \
    X(GL, void, glGetTexLevelParameteriv, "eieo",                                                            \
      (GLenum target, GLint level, GLenum pname, GLint * params), (target, level, pname, params))            \
    X(GL, void, glGetTexParameteriv, "eeo", (GLenum target, GLenum pname, GLint * params),                   \
      (target, pname, params))                                                                               \
    X(GL, void, glHint, "ee", (GLenum target, GLenum mode), (target, mode))                                  \
    X(GL, GLboolean, glIsEnabled, "e", (GLenum cap), (cap))                                                  \
    X(GL, GLboolean, glIsTexture, "i", (GLuint texture), (texture))                                          \
    X(GL, void, glLightModelf, "ef", (GLenum pname, GLfloat param), (pname, param))                          \
    X(GL, void, glLightModelfv, "ev", (GLenum pname, const GLfloat* params), (pname, params))                \
    X(GL, void, glLightModeli, "ei", (GLenum pname, GLint param), (pname, param))                            \
    X(GL, void, glLightf, "eef", (GLenum light, GLenum pname, GLfloat param), (light, pname, param))         \
    X(GL, void, glLightfv, "eev", (GLenum light, GLenum pname, const GLfloat* params),                       \
      (light, pname, params))                                                                                \
    X(GL, void, glLineWidth, "f", (GLfloat width), (width))                                                  \
    X(GL, void, glLoadIdentity, "", (), ())                                                                  \
    X(GL, void, glLoadMatrixf, "M", (const GLfloat* m), (m))                                                 \
    X(GL, void, glMaterialf, "eef", (GLenum face, GLenum pname, GLfloat param), (face, pname, param))        \
    X(GL, void, glMaterialfv, "eev", (GLenum face, GLenum pname, const GLfloat* params),                     \
      (face, pname, params))                                                                                 \
    X(GL, void, glMatrixMode, "e", (GLenum mode), (mode))                                                    \
    X(GL, void, glMultMatrixf, "M", (const GLfloat* m), (m))                                                 \
    X(GL, void, glNewList, "ie", (GLuint list, GLenum mode), (list, mode))                                   \
    X(GL, void, glNormal3f, "fff", (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                             \
    X(GL, void, glNormal3fv, "3", (const GLfloat* v), (v))                                                   \
    X(GL, void, glNormalPointer, "eip", (GLenum type, GLsizei stride, const GLvoid* ptr),                    \
      (type, stride, ptr))                                                                                   \
    X(GL, void, glOrtho, "ffffff",                                                                           \
      (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar),         \
      (left, right, bottom, top, zNear, zFar))                                                               \
    X(GL, void, glPixelStorei, "ei", (GLenum pname, GLint param), (pname, param))                            \
    X(GL, void, glPointSize, "f", (GLfloat size), (size))                                                    \
    X(GL, void, glPolygonMode, "ee", (GLenum face, GLenum mode), (face, mode))                               \
    X(GL, void, glPolygonOffset, "ff", (GLfloat factor, GLfloat units), (factor, units))                     \
    X(GL, void, glPopAttrib, "", (), ())                                                                     \
    X(GL, void, glPopClientAttrib, "", (), ())                                                               \
    X(GL, void, glPopMatrix, "", (), ())                                                                     \
    X(GL, void, glPushAttrib, "b", (GLbitfield mask), (mask))                                                \
    X(GL, void, glPushClientAttrib, "b", (GLbitfield mask), (mask))                                          \
    X(GL, void, glPushMatrix, "", (), ())                                                                    \
    X(GL, void, glReadBuffer, "e", (GLenum mode), (mode))                                                    \
    X(GL, void, glReadPixels, "iiiieeo",                                                                     \
      (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid * pixels),                 \
      (x, y, w, h, format, type, pixels))                                                                    \
    X(GL, void, glRotatef, "ffff", (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), (angle, x, y, z))       \
    X(GL, void, glScalef, "fff", (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                               \
    X(GL, void, glScissor, "iiii", (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))                   \
    X(GL, void, glShadeModel, "e", (GLenum mode), (mode))                                                    \
    X(GL, void, glStencilFunc, "eii", (GLenum func, GLint ref, GLuint mask), (func, ref, mask))              \
    X(GL, void, glStencilMask, "i", (GLuint mask), (mask))                                                   \
    X(GL, void, glStencilOp, "eee", (GLenum fail, GLenum zfail, GLenum zpass), (fail, zfail, zpass))         \
    X(GL, void, glTexCoord2f, "ff", (GLfloat s, GLfloat t), (s, t))                                          \
    X(GL, void, glTexCoord2fv, "2", (const GLfloat* v), (v))                                                 \
    X(GL, void, glTexCoordPointer, "ieip", (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),     \
      (size, type, stride, ptr))                                                                             \
    X(GL, void, glTexEnvf, "eef", (GLenum target, GLenum pname, GLfloat param), (target, pname, param))      \
    X(GL, void, glTexEnvfv, "eev", (GLenum target, GLenum pname, const GLfloat* params),                     \
      (target, pname, params))                                                                               \
    X(GL, void, glTexEnvi, "eee", (GLenum target, GLenum pname, GLint param), (target, pname, param))        \
    X(GL, void, glTexGenfv, "eev", (GLenum coord, GLenum pname, const GLfloat* params),                      \
      (coord, pname, params))                                                                                \
    X(GL, void, glTexGeni, "eee", (GLenum coord, GLenum pname, GLint param), (coord, pname, param))          \
    X(GL, void, glTexImage1D, "eieiieep",                                                                    \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border, GLenum format,         \
       GLenum type, const GLvoid* pixels),                                                                   \
      (target, level, internalFormat, width, border, format, type, pixels))                                  \
    X(GL, void, glTexImage2D, "eieiiieep",                                                                   \
      (GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,        \
       GLenum format, GLenum type, const GLvoid* pixels),                                                    \
      (target, level, internalFormat, width, height, border, format, type, pixels))                          \
    X(GL, void, glTexParameterf, "eef", (GLenum target, GLenum pname, GLfloat param),                        \
      (target, pname, param))                                                                                \
    X(GL, void, glTexParameteri, "eee", (GLenum target, GLenum pname, GLint param), (target, pname, param))  \
    X(GL, void, glTexSubImage2D, "eiiiiieep",                                                                \
      (GLenum target, GLint level, GLint xoff, GLint yoff, GLsizei w, GLsizei h, GLenum format, GLenum type, \
       const GLvoid* pixels),                                                                                \
      (target, level, xoff, yoff, w, h, format, type, pixels))                                               \
    X(GL, void, glTranslatef, "fff", (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                           \
    X(GL, void, glVertex2f, "ff", (GLfloat x, GLfloat y), (x, y))                                            \
    X(GL, void, glVertex3f, "fff", (GLfloat x, GLfloat y, GLfloat z), (x, y, z))                             \
    X(GL, void, glVertex3fv, "3", (const GLfloat* v), (v))                                                   \
    X(GL, void, glVertexPointer, "ieip", (GLint size, GLenum type, GLsizei stride, const GLvoid* ptr),       \
      (size, type, stride, ptr))                                                                             \
    X(GL, void, glViewport, "iiii", (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))                  \
    /* Newer than 1.1; the settings dialog's renderer saves and restores them where present. */              \
    X(OPT, void, glBindBuffer, "ei", (GLenum target, GLuint buffer), (target, buffer))                       \
    X(OPT, void, glBlendEquation, "e", (GLenum mode), (mode))                                                \
    X(OPT, void, glBlendFuncSeparate, "eeee", (GLenum srgb, GLenum drgb, GLenum salpha, GLenum dalpha),      \
      (srgb, drgb, salpha, dalpha))                                                                          \
    X(OPT, void, glUseProgram, "i", (GLuint program), (program))                                             \
    X(GLU, GLint, gluBuild2DMipmaps, "eeiieep",                                                              \
      (GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,       \
       const void* data),                                                                                    \
      (target, internalFormat, width, height, format, type, data))                                           \
    X(GLU, const GLubyte*, gluErrorString, "e", (GLenum error), (error))                                     \
    X(GLU, const GLubyte*, gluGetString, "e", (GLenum name), (name))                                         \
    X(GLU, void, gluLookAt, "fffffffff",                                                                     \
      (GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,    \
       GLdouble upX, GLdouble upY, GLdouble upZ),                                                            \
      (eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ))                                          \
    X(GLU, void, gluOrtho2D, "ffff", (GLdouble left, GLdouble right, GLdouble bottom, GLdouble top),         \
      (left, right, bottom, top))                                                                            \
    X(GLU, void, gluPerspective, "ffff", (GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar),    \
      (fovy, aspect, zNear, zFar))                                                                           \
    X(GLU, GLint, gluProject, "fffpppooo",                                                                   \
      (GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble* model, const GLdouble* proj,             \
       const GLint* view, GLdouble* winX, GLdouble* winY, GLdouble* winZ),                                   \
      (objX, objY, objZ, model, proj, view, winX, winY, winZ))                                               \
    X(GLU, GLint, gluScaleImage, "eiiepiieo",                                                                \
      (GLenum format, GLsizei wIn, GLsizei hIn, GLenum typeIn, const void* dataIn, GLsizei wOut,             \
       GLsizei hOut, GLenum typeOut, GLvoid* dataOut),                                                       \
      (format, wIn, hIn, typeIn, dataIn, wOut, hOut, typeOut, dataOut))                                      \
    X(GLU, GLint, gluUnProject, "fffpppooo",                                                                 \
      (GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble* model, const GLdouble* proj,             \
       const GLint* view, GLdouble* objX, GLdouble* objY, GLdouble* objZ),                                   \
      (winX, winY, winZ, model, proj, view, objX, objY, objZ))                                               \
    X(CVA, void, glLockArraysEXT, "ii", (GLint first, GLsizei count), (first, count))                        \
    X(CVA, void, glUnlockArraysEXT, "", (), ())                                                              \
    X(MTX, void, glActiveTexture, "e", (GLenum texture), (texture))                                          \
    X(MTX, void, glClientActiveTexture, "e", (GLenum texture), (texture))

namespace quillaby::gl {

// One pointer per entry point of the list, named like the function.
struct GLEntryPoints {
#define QUILLABY_GL_POINTER(lib, ret, name, kinds, params, args) ret(GLAPIENTRY* name) params = nullptr;
    QUILLABY_GL_ENTRY_POINTS(QUILLABY_GL_POINTER)
#undef QUILLABY_GL_POINTER
};

// The process-wide table every GL call goes through. Empty until the libraries are loaded.
extern GLEntryPoints entryPoints;

// A table whose every entry does nothing and answers zero: for benchmarks that time our own work.
const GLEntryPoints& nullEntryPoints();

// Looks a name up in the current context's driver (the platform's GetProcAddress); may be null.
using ProcLookup = void* (*)(const char* name);
// Looks a name up in the GL library (fromGLU false) or the GLU library (true); null when missing.
using SymbolLookup = std::function<void*(bool fromGLU, const char* name)>;

// Unloads anything loaded, loads both libraries by file name and binds the table. True only when
// both libraries loaded and every required (GL and GLU) entry point of the list was found; otherwise
// nothing stays loaded, lastLoadProblem() says which library or name was missing, and
// lastMissingEntryPoint() names the entry point when both libraries loaded but one lacked it.
bool LoadGLLibraries(const std::string& glLibraryName, const std::string& gluLibraryName);
// Releases both libraries and empties every table entry.
void UnloadGLLibraries();
// Fills the GL, GLU and optional (OPT) entries from the loaded libraries (a library not loaded is
// skipped) and empties the extension entries; returns the first required name not found, or "".
std::string BindGLEntryPoints();
// The same from any lookup (tests hand in libraries that lack names).
std::string BindGLEntryPoints(const SymbolLookup& find);
// Resolves every extension entry for the current context: ResolveLockArrays, ResolveMultitexture.
void ResolveExtensionEntryPoints(ProcLookup lookup = nullptr);
// Empties the lock-array entries, then fills them only when the current context lists the
// extension in GL_EXTENSIONS: a non-null pointer from the driver does not mean the driver has it.
// lookup may be null: the GL library itself is asked then.
void ResolveLockArrays(ProcLookup lookup = nullptr);
// Empties glActiveTexture and glClientActiveTexture, then fills both when the current context has
// OpenGL 1.3, or lists GL_ARB_multitexture and GL_ARB_texture_env_combine (then the ARB names are
// used); both stay empty unless both are found.
void ResolveMultitexture(ProcLookup lookup = nullptr);
bool GLLibrariesLoaded();
// What went wrong in the last failed LoadGLLibraries, for diagnostics.
const std::string& lastLoadProblem();
const std::string& lastMissingEntryPoint();

// True when the space- or NUL-separated extension list names the extension exactly.
bool HasExtension(const char* extensions, const char* name);

// Masks every floating-point exception (x87 control word 0x133F: all exceptions masked, extended
// precision, round to nearest; and the SSE MXCSR masks), so drivers and the scene never trap.
void MaskFloatingPointExceptions();

} // namespace quillaby::gl
