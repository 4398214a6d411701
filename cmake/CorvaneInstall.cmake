# What `cmake --install` puts where, after the freedesktop layout: the programs in bin/, the demo data
# and its plan in share/corvane/demo/, a desktop entry and an icon for each window program, and a
# manual page for each program. CPack makes the Debian package of the same tree.
include(GNUInstallDirs)

set(CORVANE_PROGRAMS corvane corvane-cli simhost tessel tessel-gui navimport)
foreach(program IN LISTS CORVANE_PROGRAMS)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/man/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

# An installed corvane finds this folder from its own place (bin/../share/corvane/demo).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane/demo)
install(FILES ${PROJECT_SOURCE_DIR}/docs/eham-bikf.nav ${PROJECT_SOURCE_DIR}/docs/eham-spy-ehle.nav
        DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane/demo)

foreach(window corvane tessel)
  if(NOT CORVANE_HAVE_QT)
    break()
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${window}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${window}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endforeach()

# The Debian package: corvane_<version>_amd64.deb, its library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
# The whole version, as the window's caption and --version show it.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "corvane")
set(CPACK_PACKAGE_CONTACT "corvane developers <corvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "moving map and autopilot companion for desktop flight simulators")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "corvane draws a moving map around the simulator's aircraft, builds flight plans and flies them\n"
    " through the simulator's autopilot over the FSUIPC protocol; tessel compiles scenery files into the\n"
    " data files corvane reads. With the stand-in simulator simhost and demo data of the North Sea.")
string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows load Qt's platform plugins at run time, which no program links.
if(CORVANE_HAVE_QT)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)

# Every program answers --help and --version and refuses a wrong option with its usage.
foreach(program IN LISTS CORVANE_PROGRAMS)
  if(NOT TARGET ${program})
    continue()
  endif()
  add_test(NAME ProgramOptions.${program}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program} -DVERSION=${PROJECT_VERSION}
            -DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR} -P ${PROJECT_SOURCE_DIR}/cmake/check_program_options.cmake)
  set_tests_properties(ProgramOptions.${program} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
