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
        if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    void PlayLoop(std::span<const std::byte> wave) override {
        Stop();
        const DecodedWave& sound = Decode(wave);
        if (!OpenDevice(sound.audioSpec)) return; // no audio at all: stay silent
        SDL_LockAudioDevice(device_);
        loop_.Start(sound.samples);
        SDL_UnlockAudioDevice(device_);
        SDL_PauseAudioDevice(device_, 0);
    }

    void Stop() override {
        if (device_ == 0) return;
        // Under the device lock, so the next callback already writes silence.
        SDL_LockAudioDevice(device_);
        loop_.Stop();
        SDL_UnlockAudioDevice(device_);
        SDL_PauseAudioDevice(device_, 1);
    }

  private:
    static void SDLCALL Mix(void* user, Uint8* stream, int length) {
        auto* self = static_cast<SdlSoundPlayer*>(user);
        self->loop_.Fill({stream, static_cast<size_t>(length)}, self->silence_);
    }

    // Runs only while the loop is stopped, so the audio thread never reads the samples replaced here.
    const DecodedWave& Decode(std::span<const std::byte> wave) {
        // Compared by content: a later buffer may reuse the address of a freed one.
        if (!decoded_.source.empty() && decoded_.source.size() == wave.size() &&
            std::memcmp(decoded_.source.data(), wave.data(), wave.size()) == 0)
            return decoded_;
        decoded_ = DecodedWave{};
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
        decoded_.samples.assign(buffer, buffer + length);
        SDL_FreeWAV(buffer);
        decoded_.audioSpec = audioSpec;
        decoded_.source.assign(wave.begin(), wave.end());
        return decoded_;
    }

    // An open device in the sound's own format (SDL converts for the hardware), reused while the
    // format stays the same. False when not even the dummy driver can be opened.
    bool OpenDevice(const SDL_AudioSpec& format) {
        if (device_ != 0 && SameFormat(deviceSpec_, format)) return true;
        CloseDevice();
        if (!audioStarted_) {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
            audioStarted_ = true;
        }
        SDL_AudioSpec desired{};
        desired.freq = format.freq;
        desired.format = format.format;
        desired.channels = format.channels;
        desired.samples = kCallbackFrames;
        desired.callback = &SdlSoundPlayer::Mix;
        desired.userdata = this;
        SDL_AudioSpec obtained{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
        if (device_ == 0) {
            // No sound device (a server without a sound card, a headless session): the dummy driver
            // keeps the callback running at the sound's pace, so playback behaves the same, unheard.
            SDL_AudioQuit();
            if (SDL_AudioInit("dummy") != 0) return false;
            device_ = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
            if (device_ == 0) return false;
        }
        deviceSpec_ = obtained;
        silence_ = obtained.silence;
        return true;
    }

    void CloseDevice() {
        if (device_ == 0) return;
        SDL_CloseAudioDevice(device_); // waits for the audio thread to finish
        device_ = 0;
        loop_.Stop();
    }

    bool audioStarted_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec deviceSpec_{};
    uint8_t silence_ = 0;
    DecodedWave decoded_;
    SampleLoop loop_; // shared with the audio thread: touched only under the device lock
};

} // namespace

std::unique_ptr<SoundPlayer> CreateSdlSoundPlayer() {
    return std::make_unique<SdlSoundPlayer>();
}

} // namespace quillaby::platform
