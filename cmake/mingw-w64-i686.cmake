# Cross-build for 32-bit Windows with MinGW-w64, for the tests run under the
# 32-bit Wine: the posix-thread compilers, which GoogleTest and std::mutex need.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVI_MINGW_TARGET i686-w64-mingw32)
set(TAVI_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
