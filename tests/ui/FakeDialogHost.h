#pragma once
// A dialog host with two colour depths and a few modes each, counting what the handlers ask of it.
#include <stdexcept>
#include <vector>

#include "ui/DialogHost.h"

namespace quillaby::test {

class FakeDialogHost : public ui::DialogHost {
  public:
    FakeDialogHost() {
        Modes = {{{16, 640, 480}, {16, 800, 600}}, {{32, 640, 480}, {32, 800, 600}, {32, 1024, 768}}};
    }
    ui::DialogOptions& Options() override { return Values; }
    std::vector<int> ColorDepths() const override { return Depths; }
    std::vector<ui::VideoMode> ModesOfDepth(int depthIndex) const override { return Modes.at(depthIndex); }
    ui::VideoMode FullScreenMode() const override { return FullScreen; }
    void SetFullScreenMode(const ui::VideoMode& mode) override { FullScreen = mode; }
    ui::VideoMode DesktopMode() const override { return Desktop; }
    void SetDefaultOptions() override {
        ++Defaults;
        const bool runAsExe = Values.RunAsExe;
        Values = ui::DialogOptions{};
        Values.RunAsExe = runAsExe;
        FullScreen = {Desktop.ColorDepth, 800, 600};
    }
    void SaveOptions() override { ++Saves; }
    void ApplySound() override {
        ++SoundApplied;
        if (SoundFails) throw std::runtime_error("no sound device");
    }

    ui::DialogOptions Values;
    std::vector<int> Depths{16, 32};
    std::vector<std::vector<ui::VideoMode>> Modes;
    ui::VideoMode FullScreen{32, 800, 600};
    ui::VideoMode Desktop{32, 1024, 768};
    int Saves = 0;
    int Defaults = 0;
    int SoundApplied = 0;
    bool SoundFails = false;
};

} // namespace quillaby::test
