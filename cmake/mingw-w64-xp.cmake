# Shared by the release toolchain files, which set TAVI_XP_VERSION (the
# Windows XP version of their architecture, as MAJOR.MINOR) first: the
# win32-thread runtime, which calls nothing newer than Windows XP (the posix
# one imports GetTickCount64); the headers declare only what that version has;
# the program says it runs there (XP refuses a newer subsystem version); no
# link time stamp, so that the same sources give the same bytes; no symbols.
set(TAVI_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
string(REPLACE "." ";" tavi_xp_parts ${TAVI_XP_VERSION})
list(GET tavi_xp_parts 0 tavi_xp_major)
list(GET tavi_xp_parts 1 tavi_xp_minor)
math(EXPR tavi_xp_winnt "${tavi_xp_major} * 256 + ${tavi_xp_minor}" OUTPUT_FORMAT HEXADECIMAL)
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=${tavi_xp_winnt} -DWINVER=${tavi_xp_winnt}")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--major-os-version,${tavi_xp_major},--minor-os-version,${tavi_xp_minor}"
       " -Wl,--major-subsystem-version,${tavi_xp_major},--minor-subsystem-version,${tavi_xp_minor}"
       " -Wl,--no-insert-timestamp -s")
