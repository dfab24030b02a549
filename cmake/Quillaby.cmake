# Small helpers shared by the CMake files of the project.

# quillaby_add_test_dir(<dir> <name>): every *.cpp below <dir> becomes one GoogleTest
# executable <name>, registered with CTest test by test.
function(quillaby_add_test_dir dir name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE quillaby_core GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    QUILLABY_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUILLABY_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy")
endfunction()
