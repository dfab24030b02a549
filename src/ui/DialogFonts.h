#pragma once
// The typefaces of the dialogs, loaded into ImGui's font atlas from the copies the executable
// carries (DejaVu Sans and DejaVu Sans Bold).
#include <imgui.h>

namespace quillaby::ui {

struct DialogFonts {
    ImFont* Regular = nullptr; // the dialogs' own text
    ImFont* Large = nullptr;   // the About box's link
    ImFont* Bold = nullptr;    // the About box's product and version, the panel's "Downloading..."
};

// Adds the three fonts to the current context's atlas (the first one becomes ImGui's default) and
// builds it. Raises quillaby::Error when a typeface is missing from the executable. At a scale above
// 1 the glyphs are rasterised that many times larger while the fonts keep their sizes in the
// dialog's design pixels: drawn on a window scaled as much, the text comes out crisp.
DialogFonts LoadDialogFonts(int scale = 1);

} // namespace quillaby::ui
