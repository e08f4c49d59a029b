// The line the Windows benchmarks print first: which build they run in and
// whether under Windows or under Wine (and which).
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
