#pragma once
// A scripted GL surface for engine tests. Each call it receives is logged, as "Surface.Name(...)",
// into the active recording table's log when there is one, so surface calls and GL calls appear in
// one sequence; otherwise into its own list.
#include <string>
#include <vector>

#include "gl/RecordingGL.h"
#include "platform/GLSurface.h"

namespace gltest {

class FakeGLSurface : public quillaby::platform::GLSurface {
  public:
    // What the next calls answer.
    bool chooseSucceeds = true;
    bool setSucceeds = true;
    bool contextSucceeds = true;
    bool paletteSucceeds = true;
    // The format the surface reports as chosen.
    quillaby::platform::GLPixelFormat chosen;
    // What the last calls received.
    quillaby::platform::GLPixelFormat wanted;
    std::vector<quillaby::platform::PaletteEntry> palette;
    int liveContexts = 0;
    void* current = nullptr;
    std::vector<std::string> calls; // used when no recording table is active
    explicit FakeGLSurface(quillaby::gl::GLRecorder* recorder = nullptr) : FRecorder(recorder) {}

    bool ChoosePixelFormat(const quillaby::platform::GLPixelFormat& w) override {
        log("ChoosePixelFormat");
        wanted = w;
        return chooseSucceeds;
    }
    bool SetPixelFormat() override {
        log("SetPixelFormat");
        return setSucceeds;
    }
    quillaby::platform::GLContextHandle CreateContext() override {
        log("CreateContext");
        if (!contextSucceeds) return nullptr;
        ++liveContexts;
        return &FContexts[FNextContext++ % 8];
    }
    quillaby::platform::GLPixelFormat DescribePixelFormat() override { return chosen; }
    bool SetPalette(const std::vector<quillaby::platform::PaletteEntry>& entries) override {
        log("SetPalette");
        palette = entries;
        return paletteSucceeds;
    }
    bool MakeCurrent(quillaby::platform::GLContextHandle context) override {
        log(context ? "MakeCurrent(" + name(context) + ")" : "MakeCurrent(none)");
        current = context;
        return true;
    }
    void DeleteContext(quillaby::platform::GLContextHandle context) override {
        log("DeleteContext(" + name(context) + ")");
        --liveContexts;
    }
    void SwapBuffers() override { log("SwapBuffers"); }
    quillaby::platform::ProcAddressLookup ProcLookup() const override {
        return [](const char*) -> void* { return nullptr; };
    }
    int DrawableWidth() const override { return 64; }
    int DrawableHeight() const override { return 48; }

    // "context1", "context2"... in creation order.
    std::string name(const void* context) const {
        return "context" + std::to_string(static_cast<const char*>(context) - FContexts + 1);
    }

  private:
    void log(const std::string& call) {
        if (FRecorder)
            FRecorder->log("Surface." + call);
        else
            calls.push_back("Surface." + call);
    }

    quillaby::gl::GLRecorder* FRecorder;
    char FContexts[8] = {};
    int FNextContext = 0;
};

} // namespace gltest
