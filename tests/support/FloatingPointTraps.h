#pragma once
// Floating-point traps as both x86-64 units see them (the x87 control word and the SSE MXCSR), the
// same on every system the program is built for.
#include <xmmintrin.h>

#include <cstdint>

namespace quillaby::test {

// Exception bits, in the order both units use: invalid 0x01, denormal 0x02, divide by zero 0x04,
// overflow 0x08, underflow 0x10, inexact 0x20.
constexpr unsigned TrapInvalid = 0x01;
constexpr unsigned TrapDivideByZero = 0x04;

// Unmasks the given exceptions in both units, so they trap.
inline void EnableTraps(unsigned bits) {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<std::uint16_t>(control & ~bits);
    __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(control));
    _mm_setcsr(_mm_getcsr() & ~(bits << 7));
}

// The exceptions that trap in either unit.
inline unsigned EnabledTraps() {
    std::uint16_t control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    return ((~control) | (~_mm_getcsr() >> 7)) & 0x3Fu;
}

} // namespace quillaby::test
