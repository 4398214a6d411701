# Cross-build for 64-bit Windows with Debian's mingw-w64 compiler (posix threads: std::thread works).
# The programs are linked statically, so the .exe files need nothing beside them.
#   CORVANE_WINDOWS_PREFIX  folder with the libraries built for Windows (googletest, pugixml, headers)
#   CORVANE_WINE_RUN        runs a Windows program here; tests and test discovery go through it
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_MINGW_TRIPLE}-windres)

set(CORVANE_WINDOWS_PREFIX "" CACHE PATH "Libraries built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_MINGW_TRIPLE} ${CORVANE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CORVANE_WINE_RUN "" CACHE FILEPATH "Runs a Windows program on this machine")
if(CORVANE_WINE_RUN)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANE_WINE_RUN})
endif()
