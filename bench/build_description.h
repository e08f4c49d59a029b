// The line every benchmark prints first: which build it runs in. Figures mean
// something only from an optimised build without sanitizers.
#pragma once

#include <cstdio>

#ifndef TAVI_BUILD_TYPE
#define TAVI_BUILD_TYPE "unknown"
#endif

#if defined(__SANITIZE_ADDRESS__)
#define TAVI_BENCH_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVI_BENCH_SANITIZED 1
#endif
#endif

inline void PrintBuildDescription()
{
#ifdef __OPTIMIZE__
    const char *optimised = "optimised";
#else
    const char *optimised = "not optimised";
#endif
#ifdef TAVI_BENCH_SANITIZED
    const char *sanitizers = "WITH sanitizers (figures not meaningful)";
#else
    const char *sanitizers = "without sanitizers";
#endif
    std::printf("build: %s (%s, %s), %d-bit\n", TAVI_BUILD_TYPE, optimised, sanitizers,
                static_cast<int>(sizeof(void *) * 8));
}
