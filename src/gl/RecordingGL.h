#pragma once
// A recording stand-in for the GL entry-point table. While a GLRecorder lives, every GL and GLU call
// of the program is written as one text line, e.g.
//     glEnable(GL_TEXTURE_2D)
//     glLightfv(GL_LIGHT0, GL_POSITION, {0, 0, 1, 0})
//     glVertexPointer(3, GL_FLOAT, 12, 0x55d0c8a0)      (data pointers print as addresses)
// Unit tests use it without any GL (the calls answer from a script); the program can use it as a
// trace of the real driver, forwarding each call and streaming the lines to a file.
#include "gl/SystemGL.h"

#include <cstdio>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "gl/OpenGL12.h"

namespace quillaby::gl {

class GLRecorder {
  public:
    // Installs the recording table with scripted answers; the destructor puts the previous table back.
    GLRecorder();
    // Installs the recording table in front of `next` (usually the loaded driver): each call is passed
    // on, its answer returned, and its line logged.
    explicit GLRecorder(const GLEntryPoints& next);
    ~GLRecorder();
    GLRecorder(const GLRecorder&) = delete;
    GLRecorder& operator=(const GLRecorder&) = delete;

    // The lines logged since construction or the last clear().
    const std::vector<std::string>& calls() const { return FLines; }
    // All lines, each ending in '\n'.
    std::string text() const;
    void clear() { FLines.clear(); }
    // How many logged calls went to the entry point `name` (e.g. "glEnable").
    int count(std::string_view name) const;
    // From now on lines go to `sink` as they are made instead of being kept (null: kept again).
    void streamTo(std::FILE* sink) { FSink = sink; }

    // Scripted answers (recording without a driver). glGetError answers the queued codes in order,
    // then GL_NO_ERROR.
    void queueError(GLenum code) { FErrors.push_back(code); }
    // glGetString(name) answers `value`; unscripted names answer an empty string.
    void setString(GLenum name, std::string value) { FStrings[name] = std::move(value); }
    // glGetIntegerv(pname) writes `values`; unscripted names write a single 0.
    void setIntegers(GLenum pname, std::vector<GLint> values) { FIntegers[pname] = std::move(values); }
    // The answer of any other non-void entry point, by name (default 0).
    void setAnswer(const std::string& name, long long value) { FAnswers[name] = value; }
    // The capability state glEnable / glDisable left behind; glIsEnabled answers it.
    bool enabled(GLenum cap) const { return FEnabled.count(cap) != 0; }

    // Internal to the recording table.
    void log(std::string line);
    static GLRecorder& active();
    bool forwarding() const { return FForwarding; }
    const GLEntryPoints& next() const { return FNext; }
    GLRecorder* below() const { return FPreviousRecorder; }
    GLenum nextError();
    const GLubyte* string(GLenum name);
    const std::vector<GLint>* integers(GLenum pname) const;
    long long answer(const char* name) const;
    void setEnabled(GLenum cap, bool on);
    GLuint newTextureName() { return ++FLastTexture; }

  private:
    GLEntryPoints FPrevious;
    GLRecorder* FPreviousRecorder;
    GLEntryPoints FNext;
    bool FForwarding;
    std::vector<std::string> FLines;
    std::FILE* FSink = nullptr;
    std::deque<GLenum> FErrors;
    std::map<GLenum, std::string> FStrings;
    std::map<GLenum, std::vector<GLint>> FIntegers;
    std::map<std::string, long long, std::less<>> FAnswers;
    std::set<GLenum> FEnabled;
    GLuint FLastTexture = 0;
};

// How the log prints a data pointer, so tests can build the expected line.
std::string pointerText(const void* pointer);

} // namespace quillaby::gl
