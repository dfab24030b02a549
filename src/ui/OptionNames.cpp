#include "ui/OptionNames.h"

#include <cstddef>

namespace {

struct TScrambled {
    unsigned char Bytes[24] = {};
    size_t Length = 0;
};

// Evaluated by the compiler only: the plain literal never reaches the program file.
template <size_t N> consteval TScrambled Scramble(const char (&text)[N]) {
    static_assert(N <= sizeof(TScrambled::Bytes) + 1, "option name too long");
    TScrambled s;
    for (size_t i = 0; i + 1 < N; ++i)
        s.Bytes[i] = static_cast<unsigned char>(~static_cast<unsigned char>(text[i]));
    s.Length = N - 1;
    return s;
}

// In the order of TOptionName.
constexpr TScrambled kNames[] = {
    Scramble("BubbleCount"), Scramble("DollarCount"), Scramble("Theme"),       Scramble("ColorDepth"),
    Scramble("Width"),       Scramble("Height"),      Scramble("Sound"),       Scramble("DesktopOnly"),
    Scramble("RunAsExe"),    Scramble("Path"),        Scramble("FewerPasses"), Scramble("OtherMonitors"),
    Scramble("MaxFps"),      Scramble("RenderScale"), Scramble("IdleMinutes"), Scramble("WallpaperOnBattery"),
};

} // namespace

std::string OptionName(TOptionName name) {
    const TScrambled& s = kNames[static_cast<size_t>(name)];
    std::string plain(s.Length, '\0');
    for (size_t i = 0; i < s.Length; ++i) plain[i] = static_cast<char>(~s.Bytes[i]);
    return plain;
}
