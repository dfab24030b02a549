# Libraries of the Linux build: Debian's development packages, found through pkg-config and CMake's
# modules. OpenGL and GLU are opened at run time, never linked.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
pkg_check_modules(XRANDR REQUIRED IMPORTED_TARGET xrandr)
pkg_check_modules(XSS REQUIRED IMPORTED_TARGET xscrnsaver xext)
# sd-bus: GNOME's idle monitor and monitor power on the session bus.
pkg_check_modules(SYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
find_path(IMGUI_GL_BACKEND_DIR imgui_impl_opengl2.cpp
  PATHS /usr/share/doc/libimgui-dev/examples/backends REQUIRED NO_DEFAULT_PATH)

include(cmake/WaylandProtocols.cmake)

# Dear ImGui's OpenGL2 renderer is built from the packaged source (the prebuilt one in libimgui.a
# links libGL); the core and the SDL backend come from libimgui.a.
set(QUILLABY_IMGUI_GL_BACKEND ${IMGUI_GL_BACKEND_DIR}/imgui_impl_opengl2.cpp)
add_library(quillaby_system_libs INTERFACE)
target_include_directories(quillaby_system_libs INTERFACE ${IMGUI_INCLUDEDIR}/backends)
target_link_libraries(quillaby_system_libs INTERFACE
  PkgConfig::IMGUI PkgConfig::SDL2 PkgConfig::X11 PkgConfig::XRANDR PkgConfig::XSS PkgConfig::SYSTEMD
  JPEG::JPEG PNG::PNG ${CMAKE_DL_LIBS}
  Threads::Threads quillaby_wayland_protocols)

# Sources of the other system's layer stay out of this build.
set(QUILLABY_OTHER_SYSTEM_SOURCES ".*/src/(platform/win32/.*|compose/Windows[^/]*\\.cpp)$")
