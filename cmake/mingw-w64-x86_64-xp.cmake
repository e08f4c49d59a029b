# Release build of Tavi.exe and tavipac.exe for 64-bit Windows, from
# Windows XP x64 (5.2) on.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVI_MINGW_TARGET x86_64-w64-mingw32)
set(TAVI_XP_VERSION 5.2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-xp.cmake)
