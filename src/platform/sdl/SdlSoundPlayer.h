#pragma once
// The sound player on SDL's audio: decodes wave files with SDL (PCM and Microsoft ADPCM) and loops
// them from an audio callback. Without a usable sound device it falls back to SDL's "dummy" driver
// and plays silently.
#include <memory>

#include "platform/SoundPlayer.h"

namespace quillaby::platform {

std::unique_ptr<SoundPlayer> CreateSdlSoundPlayer();

} // namespace quillaby::platform
