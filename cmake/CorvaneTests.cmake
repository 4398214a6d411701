# corvane_add_tests(NAME SOURCES... LIBS ...)
# Builds one GoogleTest program for a folder and registers its cases with CTest.
function(corvane_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "CORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  # The build folder reaches tests as a compile-time path: a second ENVIRONMENT entry would be split apart.
  target_compile_definitions(${name} PRIVATE CORVANE_TEST_BINARY_DIR="${PROJECT_BINARY_DIR}")
endfunction()
