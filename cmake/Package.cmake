# The Debian package: `cpack -G DEB` in the build folder writes quillaby_<version>-1_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillaby)
set(CPACK_PACKAGE_VENDOR "Harnwick Software")
set(CPACK_PACKAGE_CONTACT "Harnwick Software <quillaby@harnwick.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL screen saver: banknotes and bubbles under water")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Paper banknotes sink, leap in a fountain or swim like fish through blue water
above a sandy bottom lit by scrolling caustics, while streams of bubbles rise.

It runs as an XScreenSaver hack (quillaby --root), full screen on its own, in
a window, or renders a picture offscreen, and has a settings dialog.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The linked libraries come from dpkg-shlibdeps; OpenGL and GLU are opened at run time, and the
# offscreen snapshot draws through EGL, so those are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libglu1-mesa, libgl1-mesa-dri, libegl1, libegl-mesa0")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xscreensaver-gl")
set(CPACK_STRIP_FILES ON)
# The machine-wide settings are the administrator's to change: dpkg keeps a changed copy on upgrade.
set(quillaby_conffiles "${CMAKE_CURRENT_BINARY_DIR}/packaging/conffiles")
file(WRITE "${quillaby_conffiles}" "/etc/xdg/Harnwick Software/Quillaby.conf\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${quillaby_conffiles}")
# Install with the real prefix under a staging DESTDIR, so that the /etc file lands in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
include(CPack)
