#include "display/VideoModeClass.h"

using quillaby::platform::DisplayModeRecord;

TVideoModesList::TVideoModesList(quillaby::platform::DisplayModes& platform) : FPlatform(platform) {}

TVideoModesList::~TVideoModesList() {
    if (ModeChanged) RestoreMode();
}

void TVideoModesList::Enumerate() {
    FModes.clear();
    DisplayModeRecord record;
    for (int i = 0;; ++i) {
        const bool more = FPlatform.EnumMode(i, record);
        AddMode(record); // after the last one this offers the previous record again: a no-op
        if (!more) break;
    }
    // A display that accepts even a nonsense mode would accept every fallback as well: then none is
    // offered. Otherwise the small classic modes are tried too.
    record.BitsPerPixel = 8;
    record.Width = 42;
    record.Height = 37;
    if (TestMode(record)) return;
    static constexpr int kSizes[][2] = {{320, 200}, {320, 240}, {320, 350}, {320, 400},
                                        {320, 480}, {360, 200}, {360, 240}, {360, 350},
                                        {360, 400}, {360, 480}, {400, 300}, {512, 384}};
    static constexpr int kDepths[] = {8, 15, 16, 24, 32};
    for (const auto& size : kSizes)
        for (const int depth : kDepths) {
            DisplayModeRecord fallback;
            fallback.Width = size[0];
            fallback.Height = size[1];
            fallback.BitsPerPixel = depth;
            AddMode(fallback);
        }
}

void TVideoModesList::AddMode(const DisplayModeRecord& mode) {
    for (const auto& m : FModes)
        if (m.BitsPerPixel == mode.BitsPerPixel && m.Width == mode.Width && m.Height == mode.Height) return;
    if (!TestMode(mode)) return;
    FModes.push_back({mode.Width, mode.Height, mode.BitsPerPixel});
}

bool TVideoModesList::TestMode(const DisplayModeRecord& mode) {
    return FPlatform.TestMode(mode);
}

void TVideoModesList::ReadDesktopMode() {
    if (DesktopBits == 0) FPlatform.DesktopMode(DesktopBits, DesktopWidth, DesktopHeight);
}

void TVideoModesList::DesktopMode(int32_t& width, int32_t& height, int32_t& bits) {
    ReadDesktopMode();
    width = DesktopWidth;
    height = DesktopHeight;
    bits = DesktopBits;
}

bool TVideoModesList::SetMode(int32_t width, int32_t height, int32_t bits) {
    int32_t w, h, b;
    DesktopMode(w, h, b);
    bool ok = width == w && height == h && bits == b;
    if (!ok) {
        DisplayModeRecord record;
        record.Width = width;
        record.Height = height;
        record.BitsPerPixel = bits;
        ok = FPlatform.SetMode(record);
    }
    if (ok) {
        ModeChanged = true;
        ModeWidth = width;
        ModeHeight = height;
        ModeBits = bits;
    }
    return ok;
}

void TVideoModesList::RestoreMode() {
    FPlatform.RestoreMode();
    ModeChanged = false;
}
