# Libraries of the Windows build (mingw-w64): SDL2, libjpeg-turbo, libpng and GoogleTest cross-built
# statically by scripts/build-windows-deps into QUILLABY_WIN_DEPS, Debian's mingw zlib, Dear ImGui
# compiled here from the same prefix. Everything, the C++ runtime included, is linked statically so
# that the program is one file; OpenGL32.DLL and GLU32.DLL are loaded at run time, never linked.
if(NOT QUILLABY_WIN_DEPS OR NOT EXISTS ${QUILLABY_WIN_DEPS}/.quillaby-deps)
  message(FATAL_ERROR "The cross-built libraries are missing: run scripts/build-windows-deps ${QUILLABY_WIN_DEPS}")
endif()
# Static archives only, never a DLL's import library (Debian's mingw zlib ships both).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
find_package(SDL2 CONFIG REQUIRED)
find_package(JPEG REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)

add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
# <windows.h> without its min and max macros (they break std::min and std::max); M_PI from <cmath>.
add_compile_definitions(NOMINMAX _USE_MATH_DEFINES)

set(imgui ${QUILLABY_WIN_DEPS}/src/imgui)
add_library(quillaby_imgui STATIC ${imgui}/imgui.cpp ${imgui}/imgui_draw.cpp ${imgui}/imgui_tables.cpp
  ${imgui}/imgui_widgets.cpp ${imgui}/backends/imgui_impl_sdl.cpp)
target_include_directories(quillaby_imgui SYSTEM PUBLIC
  ${QUILLABY_WIN_DEPS}/include/imgui ${QUILLABY_WIN_DEPS}/include/imgui/backends)
target_compile_options(quillaby_imgui PRIVATE -w)
target_link_libraries(quillaby_imgui PUBLIC SDL2::SDL2-static)
set(QUILLABY_IMGUI_GL_BACKEND ${imgui}/backends/imgui_impl_opengl2.cpp)

add_library(quillaby_system_libs INTERFACE)
target_link_libraries(quillaby_system_libs INTERFACE
  quillaby_imgui SDL2::SDL2-static JPEG::JPEG PNG::PNG ZLIB::ZLIB Threads::Threads
  winmm imm32 ole32 oleaut32 shell32 setupapi version uuid user32 gdi32 advapi32)

# Sources of the other system's layer stay out of this build.
# So do the hack mode of X daemons and the SDL services whose work the Windows layer does with the
# system's own calls (display settings, the shell, the saver flag).
set(QUILLABY_OTHER_SYSTEM_SOURCES
  ".*/src/(platform/(posix|x11|wayland|dbus)/.*|compose/(Linux|Wayland)[^/]*|platform/sdl/(SdlDisplayModes|SdlOpenDocument|SdlSaverSystem))(\\.cpp)?$")
