// What the Windows benchmarks share: the line they print first (which build
// they run in, under Windows or under Wine), the clock, and the scratch
// folder they work in.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

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

// A folder under the system's temporary folder, filled by prepare and made
// the working directory for the object's lifetime; then the previous one
// comes back and the folder goes away. Declared before the dialog, so that
// the dialog (and its watches on the folders) has gone first.
class BenchFolder {
  public:
    BenchFolder(const char *name, const std::function<void(const std::filesystem::path &)> &prepare)
        : previous_(std::filesystem::current_path()), folder_(std::filesystem::temp_directory_path() / name)
    {
        prepare(folder_);
        std::filesystem::current_path(folder_);
    }
    BenchFolder(const BenchFolder &) = delete;
    BenchFolder &operator=(const BenchFolder &) = delete;
    ~BenchFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
