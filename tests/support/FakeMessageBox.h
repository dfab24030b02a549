#pragma once
// A message box that records every message instead of showing it.
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace quillaby::test {

class FakeMessageBox final : public platform::MessageBox {
  public:
    struct Message {
        std::string text;
        std::string caption;
        platform::MessageIcon icon;
    };
    void Show(const std::string& text, const std::string& caption, platform::MessageIcon icon) override {
        shown.push_back({text, caption, icon});
    }
    std::vector<Message> shown;
};

} // namespace quillaby::test
