#pragma once
// The Windows layer's services that the Windows composition file puts together.
#include <memory>
#include <string>

#include "platform/DisplayModes.h"
#include "platform/EventPump.h"
#include "platform/HostPreview.h"
#include "platform/MessageBox.h"
#include "platform/SaverSystem.h"
#include "platform/SoundPlayer.h"

namespace quillaby::platform {

// SPI_SETSCREENSAVERRUNNING, the foreground window, and the password protocol: "PASSWORD.CPL"
// "VerifyScreenSavePwd" and "MPR.DLL" "PwdChangePasswordA" loaded from the system folder, asked for
// when "Control Panel\desktop" "ScreenSaveUsePassword" is not 0.
std::unique_ptr<SaverSystem> CreateWin32SaverSystem();

// MessageBoxW; with `interactive` false (or QUILLABY_NONINTERACTIVE set) the text goes to stderr.
std::unique_ptr<MessageBox> CreateWin32MessageBox(bool interactive);

// EnumDisplaySettings and ChangeDisplaySettings with CDS_FULLSCREEN: a switch that the system
// undoes when the process ends; the destructor restores a switched mode as well.
std::unique_ptr<DisplayModes> CreateWin32DisplayModes();

// PlaySound from memory, looped and asynchronous; never the system's default sound.
std::unique_ptr<SoundPlayer> CreateWin32SoundPlayer();

// A child window of `host` showing `picture` stretched over the host's client area, following its
// size; the queue reports Quit once the host has gone. Raises quillaby::Error "Invalid window handle
// ..." when host is not a window.
std::unique_ptr<EventPump> CreateWin32HostPreview(WindowHandle host, RgbPicture picture,
                                                  const std::string& title);

} // namespace quillaby::platform
