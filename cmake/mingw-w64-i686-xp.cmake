# Release build of Tavi.exe and tavipac.exe for 32-bit Windows, from
# Windows XP (5.1) on.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVI_MINGW_TARGET i686-w64-mingw32)
set(TAVI_XP_VERSION 5.1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-xp.cmake)
