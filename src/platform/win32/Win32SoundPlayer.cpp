// The looping sound through winmm's PlaySound: the wave file is played from our own copy of its
// bytes (asynchronous playback reads them while it runs), looped, never the default sound.
// <windows.h> comes before the headers that build on it.
#include "platform/win32/WinApi.h"

#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "base/Error.h"
#include "platform/win32/Win32Layer.h"

namespace quillaby::platform {
namespace {

bool IsWaveFile(std::span<const std::byte> wave) {
    return wave.size() >= 12 && std::memcmp(wave.data(), "RIFF", 4) == 0 &&
           std::memcmp(wave.data() + 8, "WAVE", 4) == 0;
}

class Win32SoundPlayer final : public SoundPlayer {
  public:
    ~Win32SoundPlayer() override { Stop(); }

    void PlayLoop(std::span<const std::byte> wave) override {
        if (!IsWaveFile(wave)) throw Error("The sound is not a wave file");
        Stop();
        if (wave.size() != FBytes.size() || std::memcmp(wave.data(), FBytes.data(), wave.size()) != 0)
            FBytes.assign(wave.begin(), wave.end());
        // A missing sound device is no error: the scene stays silent.
        PlaySoundA(reinterpret_cast<LPCSTR>(FBytes.data()), nullptr,
                   SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_NOSTOP);
    }

    void Stop() override { PlaySoundA(nullptr, nullptr, SND_PURGE); }

  private:
    std::vector<std::byte> FBytes;
};

} // namespace

std::unique_ptr<SoundPlayer> CreateWin32SoundPlayer() {
    return std::make_unique<Win32SoundPlayer>();
}

} // namespace quillaby::platform
