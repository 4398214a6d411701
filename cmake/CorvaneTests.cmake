# corvane_add_tests(NAME SOURCES... LIBS ...)
# Builds one GoogleTest program for a folder and registers its cases with CTest.
function(corvane_add_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} corvane_testing GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    # One variable only: a second ENVIRONMENT entry would be split apart on its way to CTest.
    PROPERTIES ENVIRONMENT "CORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
