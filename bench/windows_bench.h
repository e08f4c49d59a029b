// What the Windows benchmarks share: the line they print first (which build
// they run in, under Windows or under Wine) and the clock.
#pragma once

#include <cstdio>

#include <windows.h>

#ifndef TAVI_BUILD_TYPE
#define TAVI_BUILD_TYPE "unknown"
#endif

inline void PrintWindowsBuild()
{
    using WineVersion = const char *(*)();
    const auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    std::printf("build: %s, %d-bit, GCC %s, no sanitizers; running under %s %s\n", TAVI_BUILD_TYPE,
                static_cast<int>(sizeof(void *) * 8), __VERSION__, wine ? "Wine" : "Windows",
                wine ? wine() : "");
}

inline double NowMilliseconds()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
