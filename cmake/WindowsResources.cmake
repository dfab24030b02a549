# The Windows program's resources (resources/windows/quillaby.rc, compiled by windres): its name,
# icon and version information. The icon is the Linux package's, drawn by the asset generator at the
# sizes Windows shows; the installer takes the same file.
enable_language(RC)
set(QUILLABY_ICO ${PROJECT_BINARY_DIR}/generated/windows/quillaby.ico)
add_custom_command(OUTPUT ${QUILLABY_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/generated/windows
  COMMAND assetgen --ico ${QUILLABY_ICO}
  DEPENDS assetgen
  COMMENT "Drawing quillaby.ico"
  VERBATIM)
add_custom_target(quillaby_ico DEPENDS ${QUILLABY_ICO})

# The version the project declares, and the icon's path, for the resource script.
if(PROJECT_VERSION_PATCH STREQUAL "")
  set(QUILLABY_VERSION_PATCH 0)
else()
  set(QUILLABY_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/windows/QuillabyRc.h CONTENT [[
#define QUILLABY_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define QUILLABY_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define QUILLABY_VERSION_PATCH @QUILLABY_VERSION_PATCH@
#define QUILLABY_VERSION_TEXT "@PROJECT_VERSION@"
#define QUILLABY_ICON_FILE "@QUILLABY_ICO@"
]] @ONLY)

set(QUILLABY_RC ${PROJECT_SOURCE_DIR}/resources/windows/quillaby.rc)
target_sources(quillaby PRIVATE ${QUILLABY_RC})
set_source_files_properties(${QUILLABY_RC} PROPERTIES
  INCLUDE_DIRECTORIES ${PROJECT_BINARY_DIR}/generated/windows
  OBJECT_DEPENDS "${QUILLABY_ICO};${PROJECT_BINARY_DIR}/generated/windows/QuillabyRc.h")
add_dependencies(quillaby quillaby_ico)
