#pragma once
// What the settings dialog's handlers need from the program around them: the options, the display
// control's lists of colour depths and modes, and the operations on them.
#include <vector>

#include "ui/Options.h"

namespace quillaby::ui {

struct VideoMode {
    int ColorDepth = 0; // bits a pixel
    int Width = 0;      // pixels
    int Height = 0;
    friend bool operator==(const VideoMode&, const VideoMode&) = default;
};

using DialogOptions = TOptions;

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    virtual DialogOptions& Options() = 0;
    // The enumerated colour depths, in the display control's order.
    virtual std::vector<int> ColorDepths() const = 0;
    // The enumerated modes of the colour depth at that position of ColorDepths.
    virtual std::vector<VideoMode> ModesOfDepth(int depthIndex) const = 0;
    virtual VideoMode FullScreenMode() const = 0;
    virtual void SetFullScreenMode(const VideoMode& mode) = 0;
    virtual VideoMode DesktopMode() const = 0;
    // Every option but RunAsExe to its default.
    virtual void SetDefaultOptions() = 0;
    virtual void SaveOptions() = 0;
    // Starts or stops the bubble sound as SoundEnabled says; throws when it cannot.
    virtual void ApplySound() = 0;
};

} // namespace quillaby::ui
