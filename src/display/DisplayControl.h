#pragma once
// The display control: the display's modes grouped by colour depth, the full-screen mode the user
// chose (kept valid against those groups), and the switch to it and back.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "display/VideoModeClass.h"

class TCustomDisplayControl;

// A colour depth and a screen size packed as width * 65536 + height.
class TScreenMode {
  public:
    TScreenMode() = default;
    virtual ~TScreenMode() = default;
    TScreenMode(const TScreenMode&) = delete;
    TScreenMode& operator=(const TScreenMode&) = delete;

    int32_t ColorDepth() const { return FColorDepth; } // bits per pixel, 0 unset
    int32_t ScreenSize() const { return FScreenSize; }
    int32_t Width() const { return (static_cast<uint32_t>(FScreenSize) >> 16) & 0xFFFF; }
    int32_t Height() const { return static_cast<uint32_t>(FScreenSize) & 0xFFFF; }

    void SetMode(int32_t width, int32_t height, int32_t depth);
    void SetSize(int32_t width, int32_t height) { SetMode(width, height, FColorDepth); }
    void SetColorDepth(int32_t depth) { SetMode(Width(), Height(), depth); }
    void SetScreenSize(int32_t packed);
    virtual void AssignTo(TScreenMode& destination) const;

  protected:
    virtual void Changed() {}

    int32_t FColorDepth = 0;
    int32_t FScreenSize = 0;
};

class TScreenModes {
  public:
    // Appends the mode unless IndexOf finds it.
    void Add(int32_t width, int32_t height, int32_t depth);
    int IndexOf(int32_t width, int32_t height, int32_t depth) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    TScreenMode& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    void Clear() { FItems.clear(); }

  private:
    std::vector<std::unique_ptr<TScreenMode>> FItems;
};

struct TColorDepthMode {
    int32_t ColorDepth = 0;
    TScreenModes Modes; // the sizes at that depth, in enumeration order
};

class TColorDepthModes {
  public:
    // The index of the group of that depth, appended empty if there is none.
    int Add(int32_t depth);
    int IndexOf(int32_t depth) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    TColorDepthMode& Items(int index) const { return *FItems.at(static_cast<size_t>(index)); }
    void Clear() { FItems.clear(); }

  private:
    std::vector<std::unique_ptr<TColorDepthMode>> FItems;
};

// The mode to switch to: every change corrects it to a depth and size the display offers.
class TFullScreenMode : public TScreenMode {
  public:
    explicit TFullScreenMode(TCustomDisplayControl& owner);

  protected:
    void Changed() override;

  private:
    TCustomDisplayControl& FOwner;
};

// Called once per enumerated mode; leaving Accept false drops the mode.
using TVideoModeEnumEvent =
    std::function<void(int32_t ColorDepth, int32_t Width, int32_t Height, bool& Accept)>;
using TDisplayNotifyEvent = std::function<void(TCustomDisplayControl& Sender)>;

class TCustomDisplayControl {
  public:
    explicit TCustomDisplayControl(quillaby::platform::DisplayModes& platform);
    virtual ~TCustomDisplayControl() = default;
    TCustomDisplayControl(const TCustomDisplayControl&) = delete;
    TCustomDisplayControl& operator=(const TCustomDisplayControl&) = delete;

    TVideoModesList VideoModes;
    TColorDepthModes ColorDepthModes;
    TVideoModeEnumEvent OnEnumerate;
    TDisplayNotifyEvent OnBeforeChange;
    TDisplayNotifyEvent OnAfterChange;
    bool AutoEnumerate = true;
    bool DesignMode = false; // never set without a form designer

    // While the stored properties are applied (between BeginLoading and Loaded) a FullScreen write
    // is only stored; Loaded then enumerates (AutoEnumerate) and switches (FullScreen).
    void BeginLoading() { FLoading = true; }
    virtual void Loaded();

    void Enumerate();
    bool FullScreen() const { return FFullScreen; }
    void SetFullScreen(bool value);
    virtual bool ChangeMode(int32_t width, int32_t height, int32_t depth);
    virtual void RestoreMode();

    // Filled from the display on the first request, not refreshed afterwards.
    TScreenMode& DesktopMode();
    TFullScreenMode& FullScreenMode() { return FFullScreenMode; }
    const TFullScreenMode& FullScreenMode() const { return FFullScreenMode; }
    // Copies depth and size of mode into FullScreenMode (which corrects itself).
    void SetFullScreenMode(const TScreenMode& mode) { mode.AssignTo(FFullScreenMode); }
    TScreenMode& CurrentMode() { return FFullScreen ? FFullScreenMode : DesktopMode(); }

  private:
    bool FFullScreen = false;
    bool FLoading = false;
    TScreenMode FDesktopMode;
    TFullScreenMode FFullScreenMode;
};

class TDisplayControl : public TCustomDisplayControl {
  public:
    using TCustomDisplayControl::TCustomDisplayControl;
};
