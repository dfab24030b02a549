#pragma once
// A modal message to the user: a text, a caption and an icon.
#include <string>

namespace quillaby::platform {

enum class MessageIcon { None, Error, Warning, Information };

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    // Shows the message and returns once the user has dismissed it.
    virtual void Show(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
};

} // namespace quillaby::platform
