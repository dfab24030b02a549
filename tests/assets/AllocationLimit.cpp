// The replaced global allocation functions behind FailLargeAllocations. Every unaligned form is
// replaced, so each block is freed by the family that allocated it.
#include "AllocationLimit.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::size_t limit = SIZE_MAX; // the tests run on one thread
}

testalloc::FailLargeAllocations::FailLargeAllocations(std::size_t bytes) {
    limit = bytes;
}

testalloc::FailLargeAllocations::~FailLargeAllocations() {
    limit = SIZE_MAX;
}

void* operator new(std::size_t n) {
    if (n >= limit) throw std::bad_alloc();
    if (void* p = std::malloc(n != 0 ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return ::operator new(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return n >= limit ? nullptr : std::malloc(n != 0 ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept {
    return ::operator new(n, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
