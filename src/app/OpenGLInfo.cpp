#include "app/OpenGLInfo.h"

#include "gl/GLCalls.h"

namespace quillaby::app {
namespace {

std::string GLText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

std::string GLInteger(GLenum name, int count = 1) {
    GLint values[4] = {0, 0, 0, 0};
    glGetIntegerv(name, values);
    std::string text;
    for (int i = 0; i < count; ++i) text += " " + std::to_string(values[i]);
    return text;
}

} // namespace

std::vector<std::string> SplitExtensions(const std::string& extensions) {
    std::vector<std::string> items;
    std::string item;
    bool quoted = false;
    for (const char c : extensions) {
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == ' ' || c == ',')) {
            if (!item.empty()) items.push_back(item);
            item.clear();
            continue;
        }
        item += c;
    }
    if (!item.empty()) items.push_back(item);
    return items;
}

OpenGLInfo CollectOpenGLInfo() {
    const std::string vendor = GLText(GL_VENDOR);
    const std::string renderer = GLText(GL_RENDERER);
    const std::string version = GLText(GL_VERSION);
    OpenGLInfo info;
    info.Text = "Vendor:  " + vendor + "\r\nVideo:  " + renderer + "\r\nOpenGL:  " + version;
    info.Log = {"*** Start OpenGL Info ***", "Version: " + version, "Vendor: " + vendor,
                "Render: " + renderer, "*** Start OpenGL Extensions ***"};
    for (std::string& item : SplitExtensions(GLText(GL_EXTENSIONS))) info.Log.push_back(std::move(item));
    info.Log.push_back("*** End OpenGL Extensions ***");
    info.Log.push_back("MaxLights:" + GLInteger(GL_MAX_LIGHTS));
    info.Log.push_back("MaxModelViewStack:" + GLInteger(GL_MAX_MODELVIEW_STACK_DEPTH));
    info.Log.push_back("MaxNameStack:" + GLInteger(GL_MAX_NAME_STACK_DEPTH));
    info.Log.push_back("MaxTextureSize:" + GLInteger(GL_MAX_TEXTURE_SIZE));
    info.Log.push_back("MaxViewportSize:" + GLInteger(GL_MAX_VIEWPORT_DIMS, 2));
    info.Log.push_back("*** End OpenGL Info ***");
    return info;
}

} // namespace quillaby::app
