#pragma once
// The dialog window's OpenGL through the engine's process-wide entry-point table.
#include <memory>

#include "platform/DialogGL.h"

namespace quillaby::gl {

std::unique_ptr<platform::DialogGL> CreateDialogGL();

} // namespace quillaby::gl
