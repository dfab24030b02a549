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
set(CPACK_DEBIAN_PACKAGE_RELEASE 1) # also named by packaging/debian/changelog.in
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The linked libraries come from dpkg-shlibdeps; OpenGL and GLU are opened at run time, and the
# offscreen snapshot draws through EGL, so those are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libglu1-mesa, libgl1-mesa-dri, libegl1, libegl-mesa0")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xscreensaver-gl")
# xdg-open shows the help page; libdecor's plugin draws the dialog's title bar where the
# compositor leaves decorations to the program (GNOME).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libdecor-0-plugin-1-cairo")
set(CPACK_STRIP_FILES ON)

# The package's history, compressed as Debian keeps it.
configure_file(${QUILLABY_PACKAGING_DIR}/debian/changelog.in ${QUILLABY_STAGE_DIR}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${QUILLABY_STAGE_DIR}/changelog.Debian.gz
  COMMAND gzip -9nc ${QUILLABY_STAGE_DIR}/changelog.Debian > ${QUILLABY_STAGE_DIR}/changelog.Debian.gz
  DEPENDS ${QUILLABY_STAGE_DIR}/changelog.Debian
  VERBATIM)
add_custom_target(quillaby_changelog ALL DEPENDS ${QUILLABY_STAGE_DIR}/changelog.Debian.gz)
install(FILES ${QUILLABY_STAGE_DIR}/changelog.Debian.gz DESTINATION ${QUILLABY_DOC_DIR})
# What lintian reports that is right for this package, each with its reason.
install(FILES ${QUILLABY_PACKAGING_DIR}/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
  RENAME quillaby)

# The machine-wide settings are made by postinst instead of shipped (see cmake/Install.cmake), so the
# package takes every install rule but theirs.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  "${QUILLABY_PACKAGING_DIR}/debian/postinst;${QUILLABY_PACKAGING_DIR}/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebInstalledSize.cmake)
# Install with the real prefix under a staging DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
include(CPack)
