#include "display/DisplayControl.h"

void TScreenMode::SetMode(int32_t width, int32_t height, int32_t depth) {
    FScreenSize = static_cast<int32_t>(((static_cast<uint32_t>(width) & 0xFFFF) << 16) |
                                       (static_cast<uint32_t>(height) & 0xFFFF));
    FColorDepth = depth;
    Changed();
}

void TScreenMode::SetScreenSize(int32_t packed) {
    FScreenSize = packed;
    Changed();
}

void TScreenMode::AssignTo(TScreenMode& destination) const {
    destination.SetMode(Width(), Height(), FColorDepth);
}

void TScreenModes::Add(int32_t width, int32_t height, int32_t depth) {
    if (IndexOf(width, height, depth) >= 0) return;
    auto mode = std::make_unique<TScreenMode>();
    mode->SetMode(width, height, depth);
    FItems.push_back(std::move(mode));
}

int TScreenModes::IndexOf(int32_t width, int32_t height, int32_t depth) const {
    for (size_t i = 0; i < FItems.size(); ++i) {
        const auto& m = *FItems[i];
        if (m.ColorDepth() == depth && m.Width() == width && m.Height() == height) return static_cast<int>(i);
    }
    return -1;
}

int TColorDepthModes::Add(int32_t depth) {
    const int i = IndexOf(depth);
    if (i >= 0) return i;
    auto group = std::make_unique<TColorDepthMode>();
    group->ColorDepth = depth;
    FItems.push_back(std::move(group));
    return Count() - 1;
}

int TColorDepthModes::IndexOf(int32_t depth) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->ColorDepth == depth) return static_cast<int>(i);
    return -1;
}

TFullScreenMode::TFullScreenMode(TCustomDisplayControl& owner) : FOwner(owner) {
    // 640 x 480 at 16 bits until the owner's stored mode is applied; nothing is enumerated yet.
    SetMode(640, 480, 16);
}

void TFullScreenMode::Changed() {
    const TColorDepthModes& groups = FOwner.ColorDepthModes;
    if (FOwner.DesignMode || groups.Count() == 0) return;
    int g = groups.IndexOf(FColorDepth);
    if (g < 0) g = 0;
    const TColorDepthMode& group = groups.Items(g);
    FColorDepth = group.ColorDepth;
    if (group.Modes.IndexOf(Width(), Height(), FColorDepth) < 0 && group.Modes.Count() > 0) {
        const TScreenMode& first = group.Modes.Items(0);
        SetSize(first.Width(), first.Height());
    }
}

TCustomDisplayControl::TCustomDisplayControl(quillaby::platform::DisplayModes& platform)
    : VideoModes(platform), FFullScreenMode(*this) {}

void TCustomDisplayControl::Loaded() {
    FLoading = false;
    if (DesignMode) return;
    if (AutoEnumerate) Enumerate();
    if (FFullScreen) {
        FFullScreen = false; // stored only; now the switch itself
        ChangeMode(FFullScreenMode.Width(), FFullScreenMode.Height(), FFullScreenMode.ColorDepth());
    }
}

void TCustomDisplayControl::Enumerate() {
    ColorDepthModes.Clear();
    VideoModes.Enumerate();
    for (int i = 0; i < VideoModes.Count(); ++i) {
        const TVideoMode m = VideoModes.Items(i);
        bool accept = true;
        if (OnEnumerate) OnEnumerate(m.BitsPerPixel, m.Width, m.Height, accept);
        if (!accept) continue;
        const int g = ColorDepthModes.Add(m.BitsPerPixel);
        ColorDepthModes.Items(g).Modes.Add(m.Width, m.Height, m.BitsPerPixel);
    }
}

void TCustomDisplayControl::SetFullScreen(bool value) {
    if (value == FFullScreen) return;
    if (DesignMode || FLoading) {
        FFullScreen = value;
        return;
    }
    if (value)
        ChangeMode(FFullScreenMode.Width(), FFullScreenMode.Height(), FFullScreenMode.ColorDepth());
    else
        RestoreMode();
}

bool TCustomDisplayControl::ChangeMode(int32_t width, int32_t height, int32_t depth) {
    if (OnBeforeChange) OnBeforeChange(*this);
    FFullScreenMode.SetMode(width, height, depth);
    const bool result = VideoModes.SetMode(width, height, depth);
    FFullScreen = VideoModes.ModeChanged;
    if (OnAfterChange) OnAfterChange(*this);
    return result;
}

void TCustomDisplayControl::RestoreMode() {
    if (OnBeforeChange) OnBeforeChange(*this);
    VideoModes.RestoreMode();
    FFullScreen = VideoModes.ModeChanged;
    if (OnAfterChange) OnAfterChange(*this);
}

TScreenMode& TCustomDisplayControl::DesktopMode() {
    if (FDesktopMode.ColorDepth() == 0) {
        int32_t w, h, bits;
        VideoModes.DesktopMode(w, h, bits);
        FDesktopMode.SetColorDepth(bits);
        FDesktopMode.SetSize(w, h);
    }
    return FDesktopMode;
}
