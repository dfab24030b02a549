#include "platform/sdl/SdlSoundPlayer.h"

#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/Error.h"
#include "platform/SampleLoop.h"

namespace quillaby::platform {
namespace {

// Frames per audio callback: about 46 ms at 11025 Hz, short enough for a stop to be heard at once.
constexpr Uint16 kCallbackFrames = 512;

// One decoded wave file in the format SDL decoded it to, and the bytes it was decoded from.
struct DecodedWave {
    std::vector<std::byte> source;
    SDL_AudioSpec audioSpec{};
    std::vector<uint8_t> samples;
};

bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b) {
    return a.freq == b.freq && a.format == b.format && a.channels == b.channels;
}

class SdlSoundPlayer final : public SoundPlayer {
  public:
    SdlSoundPlayer() = default;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    ~SdlSoundPlayer() override {
        CloseDevice();
        if (FAudioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void PlayLoop(std::span<const std::byte> wave) override {
        Stop();
        const DecodedWave& sound = Decode(wave);
        if (!OpenDevice(sound.audioSpec)) return; // no audio at all: stay silent
        SDL_LockAudioDevice(FDevice);
        FLoop.Start(sound.samples);
        SDL_UnlockAudioDevice(FDevice);
        SDL_PauseAudioDevice(FDevice, 0);
    }

    void Stop() override {
        if (FDevice == 0) return;
        // Under the device lock, so the next callback already writes silence.
        SDL_LockAudioDevice(FDevice);
        FLoop.Stop();
        SDL_UnlockAudioDevice(FDevice);
        SDL_PauseAudioDevice(FDevice, 1);
    }

  private:
    static void SDLCALL Mix(void* user, Uint8* stream, int length) {
        auto* self = static_cast<SdlSoundPlayer*>(user);
        self->FLoop.Fill({stream, static_cast<size_t>(length)}, self->FSilence);
    }

    // Runs only while the loop is stopped, so the audio thread never reads the samples replaced here.
    const DecodedWave& Decode(std::span<const std::byte> wave) {
        // Compared by content: a later buffer may reuse the address of a freed one.
        if (!FDecoded.source.empty() && FDecoded.source.size() == wave.size() &&
            std::memcmp(FDecoded.source.data(), wave.data(), wave.size()) == 0)
            return FDecoded;
        FDecoded = DecodedWave{};
        if (wave.empty()) throw Error("Sound error: the wave data is empty!");
        if (wave.size() > static_cast<size_t>(INT32_MAX))
            throw Error("Sound error: the wave data is too large!");
        SDL_RWops* stream = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
        if (stream == nullptr) throw Error(std::string("Sound error: ") + SDL_GetError());
        SDL_AudioSpec audioSpec{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        if (SDL_LoadWAV_RW(stream, 1, &audioSpec, &buffer, &length) == nullptr)
            throw Error(std::string("Sound error: the wave data cannot be decoded (") + SDL_GetError() +
                        ")!");
        // Whole frames only, so a wrap never splits one.
        const Uint32 frameBytes = SDL_AUDIO_BITSIZE(audioSpec.format) / 8u * audioSpec.channels;
        if (frameBytes > 0) length -= length % frameBytes;
        FDecoded.samples.assign(buffer, buffer + length);
        SDL_FreeWAV(buffer);
        FDecoded.audioSpec = audioSpec;
        FDecoded.source.assign(wave.begin(), wave.end());
        return FDecoded;
    }

    // An open device in the sound's own format (SDL converts for the hardware), reused while the
    // format stays the same. False when not even the dummy driver can be opened.
    bool OpenDevice(const SDL_AudioSpec& format) {
        if (FDevice != 0 && SameFormat(FDeviceSpec, format)) return true;
        CloseDevice();
        if (!FAudioStarted) {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
            FAudioStarted = true;
        }
        SDL_AudioSpec desired{};
        desired.freq = format.freq;
        desired.format = format.format;
        desired.channels = format.channels;
        desired.samples = kCallbackFrames;
        desired.callback = &SdlSoundPlayer::Mix;
        desired.userdata = this;
        SDL_AudioSpec obtained{};
        FDevice = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
        if (FDevice == 0) {
            // No sound device (a server without a sound card, a headless session): the dummy driver
            // keeps the callback running at the sound's pace, so playback behaves the same, unheard.
            SDL_AudioQuit();
            if (SDL_AudioInit("dummy") != 0) return false;
            FDevice = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
            if (FDevice == 0) return false;
        }
        FDeviceSpec = obtained;
        FSilence = obtained.silence;
        return true;
    }

    void CloseDevice() {
        if (FDevice == 0) return;
        SDL_CloseAudioDevice(FDevice); // waits for the audio thread to finish
        FDevice = 0;
        FLoop.Stop();
    }

    bool FAudioStarted = false;
    SDL_AudioDeviceID FDevice = 0;
    SDL_AudioSpec FDeviceSpec{};
    uint8_t FSilence = 0;
    DecodedWave FDecoded;
    SampleLoop FLoop; // shared with the audio thread: touched only under the device lock
};

} // namespace

std::unique_ptr<SoundPlayer> CreateSdlSoundPlayer() {
    return std::make_unique<SdlSoundPlayer>();
}

} // namespace quillaby::platform
