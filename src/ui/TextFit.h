#pragma once
// Fitting text into a rectangle: lines broken at blanks, never inside a word that fits a line,
// and the last line that fits ending in "..." when the text goes on.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillaby::ui {

// The width of a text in pixels.
using TextMeasure = std::function<float(std::string_view)>;

// The lines of `text` shown in a box `width` pixels wide that holds `maxLines` lines. CR LF or LF
// starts a new line; a line breaks at its last blank that leaves it narrow enough, and a word wider
// than the box is cut where it overflows. Blanks at a break are dropped, blanks inside a line kept.
std::vector<std::string> FitText(std::string_view text, float width, int maxLines,
                                 const TextMeasure& measure);

} // namespace quillaby::ui
