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
    ScopedEnv(std::string name, const char* value) : FName(std::move(name)) {
        if (const char* old = std::getenv(FName.c_str())) FOld = old;
        quillaby::platform::SetEnv(FName, value);
    }
    ~ScopedEnv() { quillaby::platform::SetEnv(FName, FOld ? FOld->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string FName;
    std::optional<std::string> FOld;
};

} // namespace quillaby::test
