# The Wayland client side: libwayland, wayland-egl and EGL, and the protocol bindings wayland-scanner
# generates at build time from xdg-shell, viewporter and ext-idle-notify (wayland-protocols), KDE's
# idle protocol (plasma-wayland-protocols), wlr-layer-shell and (for the tests) wlr-virtual-pointer,
# which scripts/fetch-wayland-protocols puts on the machine.
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client wayland-egl)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
find_file(QUILLABY_LAYER_SHELL_XML wlr-layer-shell-unstable-v1.xml
  PATHS /usr/local/share/quillaby/protocols NO_DEFAULT_PATH)
find_file(QUILLABY_VIRTUAL_POINTER_XML wlr-virtual-pointer-unstable-v1.xml
  PATHS /usr/local/share/quillaby/protocols NO_DEFAULT_PATH)
if(NOT QUILLABY_LAYER_SHELL_XML OR NOT QUILLABY_VIRTUAL_POINTER_XML)
  message(FATAL_ERROR "the wlr protocol files are missing: run scripts/setup-deps "
    "(or scripts/fetch-wayland-protocols) first, or set QUILLABY_LAYER_SHELL_XML and QUILLABY_VIRTUAL_POINTER_XML")
endif()

# The idle watcher's two ways of hearing idleness: ext-idle-notify came with wayland-protocols 1.27;
# compositors from before it (sway 1.7) offer KDE's protocol alone.
set(QUILLABY_IDLE_NOTIFY_XML ${WAYLAND_PROTOCOLS_DIR}/staging/ext-idle-notify/ext-idle-notify-v1.xml)
if(NOT EXISTS ${QUILLABY_IDLE_NOTIFY_XML})
  message(FATAL_ERROR "ext-idle-notify-v1.xml is missing from ${WAYLAND_PROTOCOLS_DIR}: "
    "the package wayland-protocols 1.27 or newer is needed")
endif()
# plasma-wayland-protocols ships a CMake package (and, in some versions, a pkg-config file) naming
# its folder; Debian's puts it in /usr/share.
pkg_get_variable(PLASMA_WAYLAND_PROTOCOLS_PKGDATADIR plasma-wayland-protocols pkgdatadir)
find_package(PlasmaWaylandProtocols CONFIG QUIET)
find_file(QUILLABY_KDE_IDLE_XML idle.xml
  PATHS ${PLASMA_WAYLAND_PROTOCOLS_PKGDATADIR} ${PLASMA_WAYLAND_PROTOCOLS_DIR} /usr/share/plasma-wayland-protocols
  NO_DEFAULT_PATH)
if(NOT QUILLABY_KDE_IDLE_XML)
  message(FATAL_ERROR "KDE's idle protocol (idle.xml) is missing: install the package "
    "plasma-wayland-protocols (scripts/setup-deps does), or set QUILLABY_KDE_IDLE_XML")
endif()

set(QUILLABY_WAYLAND_GENERATED ${PROJECT_BINARY_DIR}/generated/wayland)
file(MAKE_DIRECTORY ${QUILLABY_WAYLAND_GENERATED})
set(QUILLABY_WAYLAND_PROTOCOL_SOURCES)
foreach(protocol
    "xdg-shell-client-protocol|${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml"
    "viewporter-client-protocol|${WAYLAND_PROTOCOLS_DIR}/stable/viewporter/viewporter.xml"
    "ext-idle-notify-v1-client-protocol|${QUILLABY_IDLE_NOTIFY_XML}"
    "kde-idle-client-protocol|${QUILLABY_KDE_IDLE_XML}"
    "wlr-layer-shell-client-protocol|${QUILLABY_LAYER_SHELL_XML}"
    "wlr-virtual-pointer-client-protocol|${QUILLABY_VIRTUAL_POINTER_XML}")
  string(REPLACE "|" ";" protocol "${protocol}")
  list(GET protocol 0 name)
  list(GET protocol 1 xml)
  add_custom_command(
    OUTPUT ${QUILLABY_WAYLAND_GENERATED}/${name}.h ${QUILLABY_WAYLAND_GENERATED}/${name}.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${QUILLABY_WAYLAND_GENERATED}/${name}.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${QUILLABY_WAYLAND_GENERATED}/${name}.c
    DEPENDS ${xml}
    VERBATIM)
  if(name MATCHES "virtual-pointer") # the tests' own pointer
    set(QUILLABY_VIRTUAL_POINTER_SOURCE ${QUILLABY_WAYLAND_GENERATED}/${name}.c)
  else()
    list(APPEND QUILLABY_WAYLAND_PROTOCOL_SOURCES ${QUILLABY_WAYLAND_GENERATED}/${name}.c)
  endif()
endforeach()
add_library(quillaby_wayland_protocols STATIC ${QUILLABY_WAYLAND_PROTOCOL_SOURCES})
target_include_directories(quillaby_wayland_protocols PUBLIC ${QUILLABY_WAYLAND_GENERATED})
target_link_libraries(quillaby_wayland_protocols PUBLIC PkgConfig::WAYLAND)
# The tests' virtual pointer (tests/support/PointerMoves.c).
add_library(quillaby_virtual_pointer_protocol STATIC ${QUILLABY_VIRTUAL_POINTER_SOURCE}
  ${QUILLABY_WAYLAND_GENERATED}/wlr-virtual-pointer-client-protocol.h)
target_include_directories(quillaby_virtual_pointer_protocol PUBLIC ${QUILLABY_WAYLAND_GENERATED})
target_link_libraries(quillaby_virtual_pointer_protocol PUBLIC PkgConfig::WAYLAND)
# The tests' stand-in compositor offering ext-idle-notify, which no compositor on the build machine
# offers (tests/wayland/WaylandIdleNotifierTest.cpp).
pkg_check_modules(WAYLAND_SERVER REQUIRED IMPORTED_TARGET wayland-server)
add_custom_command(
  OUTPUT ${QUILLABY_WAYLAND_GENERATED}/ext-idle-notify-v1-server-protocol.h
  COMMAND ${WAYLAND_SCANNER} server-header ${QUILLABY_IDLE_NOTIFY_XML}
    ${QUILLABY_WAYLAND_GENERATED}/ext-idle-notify-v1-server-protocol.h
  DEPENDS ${QUILLABY_IDLE_NOTIFY_XML}
  VERBATIM)
add_library(quillaby_idle_notify_server INTERFACE
  ${QUILLABY_WAYLAND_GENERATED}/ext-idle-notify-v1-server-protocol.h)
target_link_libraries(quillaby_idle_notify_server INTERFACE PkgConfig::WAYLAND_SERVER)
