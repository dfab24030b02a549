#pragma once
// A display for unit tests: the modes it lists, which modes it accepts, and a log of its switches.
#include <string>
#include <vector>

#include "platform/DisplayModes.h"

namespace quillaby::test {

class FakeDisplayModes : public platform::DisplayModes {
  public:
    std::vector<platform::DisplayModeRecord> listed;
    std::vector<platform::DisplayModeRecord> alsoAccepted; // accepted by TestMode without being listed
    bool acceptEverything = false;
    bool switchSucceeds = true;
    int desktopBits = 32, desktopWidth = 1920, desktopHeight = 1080;
    std::vector<std::string> tested; // "WxHxBITS" in the order TestMode saw them
    std::vector<std::string> calls;  // "set WxHxBITS", "restore"

    static platform::DisplayModeRecord Mode(int w, int h, int bits, int hz = 60) { return {w, h, bits, hz}; }
    static std::string Text(const platform::DisplayModeRecord& m) {
        return std::to_string(m.Width) + "x" + std::to_string(m.Height) + "x" +
               std::to_string(m.BitsPerPixel);
    }

    bool EnumMode(int index, platform::DisplayModeRecord& mode) override {
        if (index < 0 || index >= static_cast<int>(listed.size())) return false;
        mode = listed[static_cast<size_t>(index)];
        return true;
    }
    bool TestMode(const platform::DisplayModeRecord& mode) override {
        tested.push_back(Text(mode));
        if (acceptEverything) return true;
        for (const auto* list : {&listed, &alsoAccepted})
            for (const auto& m : *list)
                if (Text(m) == Text(mode)) return true;
        return false;
    }
    bool SetMode(const platform::DisplayModeRecord& mode) override {
        calls.push_back("set " + Text(mode));
        return switchSucceeds;
    }
    void RestoreMode() override { calls.push_back("restore"); }
    void DesktopMode(int& bits, int& width, int& height) override {
        bits = desktopBits;
        width = desktopWidth;
        height = desktopHeight;
    }
};

} // namespace quillaby::test
