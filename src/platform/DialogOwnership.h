#pragma once
// Held while another program's window owns one of our dialogs; ending it gives that window its
// input back.

namespace quillaby::platform {

class DialogOwnership {
  public:
    virtual ~DialogOwnership() = default;
};

} // namespace quillaby::platform
