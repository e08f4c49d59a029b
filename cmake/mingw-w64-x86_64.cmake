# Cross-build for 64-bit Windows with MinGW-w64, for the tests run under Wine:
# the posix-thread compilers, which GoogleTest and std::mutex need.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVI_MINGW_TARGET x86_64-w64-mingw32)
set(TAVI_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
