#pragma once
// Sets or clears an environment variable for one scope and restores it afterwards.
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/Environment.h"

namespace quillaby::test {

class ScopedEnv {
  public:
    // A null value clears the variable.
    ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        quillaby::platform::SetEnv(name_, value);
    }
    ~ScopedEnv() { quillaby::platform::SetEnv(name_, old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace quillaby::test
