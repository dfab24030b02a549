# Cross toolchain for 64-bit Windows with Debian's mingw-w64 (posix threads, GCC 12).
# The libraries it finds come from the target's own folder and from QUILLABY_WIN_DEPS, the prefix
# that scripts/build-windows-deps fills with SDL2, libjpeg-turbo, libpng, GoogleTest and ImGui.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLABY_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLABY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLABY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLABY_MINGW_TRIPLE}-windres)

# An environment override (a prefix built once elsewhere) wins over the build folder's own.
if(DEFINED ENV{QUILLABY_WIN_DEPS} AND NOT "$ENV{QUILLABY_WIN_DEPS}" STREQUAL "")
  set(QUILLABY_WIN_DEPS "$ENV{QUILLABY_WIN_DEPS}" CACHE PATH "Prefix of the cross-built libraries" FORCE)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUILLABY_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLABY_MINGW_TRIPLE})
if(QUILLABY_WIN_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${QUILLABY_WIN_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
