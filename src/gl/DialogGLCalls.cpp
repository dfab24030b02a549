#include "gl/DialogGLCalls.h"

#include "base/Error.h"
#include "gl/GLCalls.h"
#include "platform/SharedLibrary.h"

namespace quillaby::gl {
namespace {

class TableDialogGL final : public platform::DialogGL {
  public:
    void Load() override {
        if (GLLibrariesLoaded()) return;
        if (!LoadGLLibraries(platform::SystemGLLibraryName, platform::SystemGLULibraryName))
            throw Error("Load library failed: OpenGL DLL is not found!");
    }

    void Viewport(int width, int height) override { glViewport(0, 0, width, height); }

    void Finish() override { glFinish(); }

    unsigned CreateTexture(const std::vector<uint8_t>& rgba, int width, int height) override {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return texture;
    }

    void DeleteTexture(unsigned texture) override {
        GLuint name = texture;
        glDeleteTextures(1, &name);
    }

    std::vector<uint8_t> ReadBackBuffer(int width, int height) override {
        std::vector<uint8_t> rows(static_cast<std::size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        return rows;
    }
};

} // namespace

std::unique_ptr<platform::DialogGL> CreateDialogGL() {
    return std::make_unique<TableDialogGL>();
}

} // namespace quillaby::gl
