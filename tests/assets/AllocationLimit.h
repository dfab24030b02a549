#pragma once
// Simulated memory exhaustion for the tests of this program: while a FailLargeAllocations lives,
// operator new throws std::bad_alloc for every request of at least `bytes` (malloc is untouched, so
// C libraries keep allocating as usual).
#include <cstddef>

namespace testalloc {

class FailLargeAllocations {
  public:
    explicit FailLargeAllocations(std::size_t bytes);
    ~FailLargeAllocations();
    FailLargeAllocations(const FailLargeAllocations&) = delete;
    FailLargeAllocations& operator=(const FailLargeAllocations&) = delete;
};

} // namespace testalloc
