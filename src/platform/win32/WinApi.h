#pragma once
// <windows.h> for the Windows layer, without the macros that would rename our own types
// (MessageBox would become MessageBoxA in some files and not in others).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef MessageBox

#include <cstdint>

namespace quillaby::platform {

// A window handle as the command line and the saver system carry it: its 32 significant bits, as
// the system passes handles between 32- and 64-bit programs (widened with the sign, as LongToHandle).
inline HWND ToHwnd(uint64_t handle) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(static_cast<uint32_t>(handle))));
}
inline uint64_t FromHwnd(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

} // namespace quillaby::platform
