# Shared by the MinGW-w64 toolchain files, which set TAVI_MINGW_TARGET (the
# compiler prefix) and TAVI_MINGW_THREADS (posix or win32) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TAVI_MINGW_TARGET}-gcc-${TAVI_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${TAVI_MINGW_TARGET}-g++-${TAVI_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${TAVI_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVI_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: no DLL travels with the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Each program runs under the Wine loader of its own architecture: Debian's
# wine script would start 64-bit programs through the 32-bit loader too once
# the 32-bit Wine is installed, which some kernels cannot run.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
endif()
