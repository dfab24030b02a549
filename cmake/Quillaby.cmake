# Small helpers shared by the CMake files of the project.

# quillaby_add_test_dir(<dir> <name>): every *.cpp below <dir> becomes one GoogleTest
# executable <name>, registered with CTest test by test.
function(quillaby_add_test_dir dir name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(QUILLABY_OTHER_SYSTEM_TESTS)
    list(FILTER sources EXCLUDE REGEX "${QUILLABY_OTHER_SYSTEM_TESTS}")
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE quillaby_core GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # A system library that loads but exports no GL at all.
  if(WIN32)
    set(library_without_gl "msvcrt.dll")
  else()
    set(library_without_gl "libm.so.6")
  endif()
  target_compile_definitions(${name} PRIVATE
    QUILLABY_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUILLABY_BINARY_DIR="${PROJECT_BINARY_DIR}"
    QUILLABY_LIBRARY_WITHOUT_GL="${library_without_gl}")
  if(WIN32)
    # Under Wine: SDL's own Windows driver on the session's display (wine-run), no sound device.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "SDL_AUDIODRIVER=dummy" FIXTURES_REQUIRED wine)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy")
  endif()
endfunction()

# quillaby_embed_resources(<target> [SYMBOL <name>] <file or directory>... [DEPENDS <dep>...])
# Makes <target> a static library holding the bytes of every file given (a directory gives every
# regular file in it), each under its own file name, returned by quillaby::<name>() as a table of
# quillaby::ResourceEntry (assets/ResourceEntry.h). <name> defaults to ProgramResourceTable, the
# program's own table. DEPENDS names what produces the files (targets or files), so that the table
# is rebuilt after them; a directory's contents are read when the table is built.
function(quillaby_embed_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "SYMBOL" "DEPENDS")
  if(NOT ARG_SYMBOL)
    set(ARG_SYMBOL ProgramResourceTable)
  endif()
  set(paths)
  foreach(p ${ARG_UNPARSED_ARGUMENTS})
    get_filename_component(p ${p} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND paths ${p})
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_table.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND quillaby_embed ${out} ${ARG_SYMBOL} ${paths}
    DEPENDS quillaby_embed ${paths} ${ARG_DEPENDS}
    COMMENT "Embedding resources in ${target}"
    VERBATIM)
  add_library(${target} STATIC ${out})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
endfunction()
