# Installation: `cmake --install` (any prefix; DESTDIR honoured) and the Debian package built from
# the same rules. The program lives in lib/quillaby/, the folder the machine-wide "Path" setting
# names; everything else points at it.
include(GNUInstallDirs)

set(QUILLABY_PROGRAM_DIR lib/quillaby)
set(QUILLABY_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QUILLABY_STAGE_DIR ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS quillaby RUNTIME DESTINATION ${QUILLABY_PROGRAM_DIR})
# Bound at start and read-only relocations, as Debian links what it ships (ELF only).
if(NOT WIN32)
  target_link_options(quillaby PRIVATE LINKER:-z,relro,-z,now)
endif()
# A stripped install (cpack, `cmake --install --strip`) also drops the compilers' version notes.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUILLABY_PROGRAM_DIR}/quillaby\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")

# Relative links, so that they stay right under any prefix and inside the package.
file(MAKE_DIRECTORY ${QUILLABY_STAGE_DIR}/links/bin ${QUILLABY_STAGE_DIR}/links/libexec)
file(CREATE_LINK quillaby ${QUILLABY_STAGE_DIR}/links/quillaby.scr SYMBOLIC)
file(CREATE_LINK ../${QUILLABY_PROGRAM_DIR}/quillaby ${QUILLABY_STAGE_DIR}/links/bin/quillaby SYMBOLIC)
file(CREATE_LINK ../../${QUILLABY_PROGRAM_DIR}/quillaby ${QUILLABY_STAGE_DIR}/links/libexec/quillaby SYMBOLIC)
install(FILES ${QUILLABY_STAGE_DIR}/links/quillaby.scr DESTINATION ${QUILLABY_PROGRAM_DIR})
install(FILES ${QUILLABY_STAGE_DIR}/links/bin/quillaby DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLABY_STAGE_DIR}/links/libexec/quillaby DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)

install(FILES ${QUILLABY_PACKAGING_DIR}/quillaby.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${QUILLABY_PACKAGING_DIR}/quillaby.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The help page, once written, lies beside the program.
file(GLOB QUILLABY_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
if(QUILLABY_HELP_FILES)
  install(FILES ${QUILLABY_HELP_FILES} DESTINATION ${QUILLABY_PROGRAM_DIR})
endif()

# The man page, compressed as Debian keeps them.
add_custom_command(OUTPUT ${QUILLABY_STAGE_DIR}/quillaby.6.gz
  COMMAND gzip -9nc ${QUILLABY_PACKAGING_DIR}/quillaby.6 > ${QUILLABY_STAGE_DIR}/quillaby.6.gz
  DEPENDS ${QUILLABY_PACKAGING_DIR}/quillaby.6
  VERBATIM)

# The icon: the middle of the logo, drawn by the asset generator.
set(QUILLABY_ICON_SIZES 48 128)
set(QUILLABY_ICONS)
foreach(size ${QUILLABY_ICON_SIZES})
  set(icon ${QUILLABY_STAGE_DIR}/icon-${size}/quillaby.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLABY_STAGE_DIR}/icon-${size}
    COMMAND assetgen --icon ${size} ${icon}
    DEPENDS assetgen
    VERBATIM)
  list(APPEND QUILLABY_ICONS ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(quillaby_install_files ALL DEPENDS ${QUILLABY_STAGE_DIR}/quillaby.6.gz ${QUILLABY_ICONS})
install(FILES ${QUILLABY_STAGE_DIR}/quillaby.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The licences of everything the program carries, where Debian looks for them.
set(QUILLABY_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillaby)
install(FILES ${QUILLABY_PACKAGING_DIR}/debian/copyright DESTINATION ${QUILLABY_DOC_DIR})

# The machine-wide settings file names the program's folder. It is written at install time, when
# the final prefix is known; like GNUInstallDirs, a /usr prefix puts it under /etc. The Debian
# package leaves it out (its path holds a space, which a conffile cannot): its postinst makes it.
# The file is staged in the build folder named here: an install script's own current folder is
# wherever `cmake --install` runs (it once wrote into the sources).
install(CODE "set(quillaby_conf \"${QUILLABY_STAGE_DIR}/conf/Quillaby.conf\")" COMPONENT machine_settings)
install(CODE [[
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(quillaby_etc "/etc")
  else()
    set(quillaby_etc "${CMAKE_INSTALL_PREFIX}/etc")
  endif()
  file(WRITE "${quillaby_conf}" "Path=\"${CMAKE_INSTALL_PREFIX}/lib/quillaby/\"\n")
  file(INSTALL DESTINATION "${quillaby_etc}/xdg/Harnwick Software" TYPE FILE FILES "${quillaby_conf}")
]] COMPONENT machine_settings)
