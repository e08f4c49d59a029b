// Measures how long Tavi.exe takes from its start to its visible main
// dialog, in a given working folder: runs it several times, closing it each
// time, and prints every time and the median in milliseconds.
//
//     tavi_start_timer.exe WORKING_FOLDER [RUNS]
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/e2e/editor_process.h"

namespace {
constexpr char MainDialogTitle[] = "部屋の部品編集";
constexpr DWORD StartTimeout = 60000;

double Milliseconds(const LARGE_INTEGER &from, const LARGE_INTEGER &to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// One start; a negative time when the window did not appear.
double TimeOneStart(const std::wstring &folder)
{
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);
    EditorProcess editor(TaviExePath(), folder);
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout);
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&shown);
    if (!dialog)
        return -1;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    editor.WaitForExit(StartTimeout);
    return Milliseconds(started, shown);
}
} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 2) {
        std::fputs("usage: tavi_start_timer WORKING_FOLDER [RUNS]\n", stderr);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 5;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double time = TimeOneStart(argv[1]);
        if (time < 0) {
            std::fputs("tavi_start_timer: the main dialog did not appear\n", stderr);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", run + 1, time);
        times.push_back(time);
    }
    std::sort(times.begin(), times.end());
    std::printf("median: %.1f ms\n", times[times.size() / 2]);
    return 0;
}
