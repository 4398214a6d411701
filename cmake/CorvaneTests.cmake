# corvane_add_tests(NAME SOURCES... LIBS ... [LOCK resource])
# Builds one GoogleTest program for a folder and registers its cases with CTest. Cases of programs that
# name the same LOCK never run at the same time.
function(corvane_add_tests name)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS" ${ARGN})
  set(lock "")
  if(ARG_LOCK)
    set(lock RESOURCE_LOCK ${ARG_LOCK})
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} corvane_testing GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    # One variable only: a second ENVIRONMENT entry would be split apart on its way to CTest.
    PROPERTIES ENVIRONMENT "CORVANE_SOURCE_DIR=${PROJECT_SOURCE_DIR}" ${lock})
endfunction()
