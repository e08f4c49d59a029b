// Tavi.exe as a user meets it: started in a working folder, its window found
// by title and read and closed from this process.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/os_gate.h"
#include "editor_process.h"
#include "framework/cstring.h"
#include "framework/wnd.h"
#include "tests/win/dialog_driver.h"

namespace {
constexpr char MainDialogTitle[] = "部屋の部品編集";
constexpr DWORD StartTimeout = 15000;
constexpr DWORD ExitTimeout = 10000;
// The foreground moves between processes through the window server and X:
// a hand-over is seen once it has arrived, not at the instant it was made.
constexpr DWORD ForegroundTimeout = 5000;
constexpr DWORD ForegroundPollMilliseconds = 20;

std::wstring CurrentFolder()
{
    return std::filesystem::current_path().wstring();
}

// The foreground window once it is the one expected, or whatever it is
// when the time is up.
HWND WaitForForeground(HWND expected)
{
    const ULONGLONG deadline = GetTickCount64() + ForegroundTimeout;
    HWND foreground = GetForegroundWindow();
    while (foreground != expected && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ForegroundPollMilliseconds, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        foreground = GetForegroundWindow();
    }
    return foreground;
}

int VisibleMainDialogs()
{
    const std::wstring title = CString(MainDialogTitle).ToWide();
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", title.c_str()); window;
         window = FindWindowExW(nullptr, window, L"#32770", title.c_str()))
        count += IsWindowVisible(window) ? 1 : 0;
    return count;
}

// Counts the WM_CLOSE messages that a dialog-class window titled "Tavi"
// receives, and when the first one came; the window stays open.
struct CloseCounter {
    int closes = 0;
    ULONGLONG firstClose = 0;
} Counter;
WNDPROC StandardDialogProc = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        if (Counter.closes++ == 0)
            Counter.firstClose = GetTickCount64();
        return 0;
    }
    return CallWindowProcW(StandardDialogProc, window, message, wParam, lParam);
}
} // namespace

TEST(TaviExe, OpensOnTheRoomPackagesOfItsWorkingFolder)
{
    WorkingFolder folder(L"e2e-rooms");
    folder.MakeFolder(L"部屋");
    folder.WriteFile(L"部屋\\和室.pac", PackageHead(1, 0));
    folder.WriteFile(L"部屋\\b.pac", PackageHead(0, 1));
    folder.WriteFile(L"部屋\\A.pac", PackageHead(1, 1));
    folder.WriteFile(L"部屋\\other.pac", PackageHead(0, 0));
    EditorProcess editor(TaviExePath(), CurrentFolder());
    ASSERT_TRUE(editor.IsRunning());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(RoomListEntries(dialog), (std::vector<std::string>{"A.pac", "b.pac", "和室.pac"}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1031)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1008)));
    EXPECT_EQ(SendDlgItemMessageW(dialog, 1008, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(CWnd(GetDlgItem(dialog, 1031)).GetWindowText(), CString("部品表示(Ctrl+D)"));
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(ExitTimeout));
}

TEST(TaviExe, SecondEditorBringsTheFirstForwardAndEnds)
{
    WorkingFolder folder(L"e2e-second");
    EditorProcess first(TaviExePath(), CurrentFolder());
    const HWND dialog = WaitForDialog(MainDialogTitle, first.Id(), StartTimeout);
    ASSERT_NE(dialog, nullptr);
    const HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 600, 600, 100, 50,
                                       nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(WaitForForeground(other), other);

    EditorProcess second(TaviExePath(), CurrentFolder());
    ASSERT_TRUE(second.IsRunning() || second.WaitForExit(0));
    EXPECT_TRUE(second.WaitForExit(ExitTimeout));
    EXPECT_EQ(WaitForForeground(dialog), dialog);
    EXPECT_EQ(VisibleMainDialogs(), 1);
    EXPECT_TRUE(first.IsRunning());
    DestroyWindow(other);
    CloseEditor(dialog);
    EXPECT_TRUE(first.WaitForExit(ExitTimeout));
}

TEST(TaviExe, ClosesADialogTitledTaviOnceAndWaitsASecond)
{
    WorkingFolder folder(L"e2e-close");
    const HWND tavi = CreateWindowExW(0, L"#32770", L"Tavi", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 500,
                                      120, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(tavi, nullptr);
    StandardDialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tavi, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    Counter = {};
    EditorProcess editor(TaviExePath(), CurrentFolder());
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout);
    const ULONGLONG shown = GetTickCount64();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Counter.closes, 1);
    EXPECT_GE(shown - Counter.firstClose, 1000u);
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(ExitTimeout));
    DestroyWindow(tavi);
}

TEST(TaviExe, StartsEvenWhenTheTaviDialogDoesNotAnswer)
{
    WorkingFolder folder(L"e2e-hung");
    const HWND tavi = CreateWindowExW(0, L"#32770", L"Tavi", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 500,
                                      120, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(tavi, nullptr);
    StandardDialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tavi, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    Counter = {};
    EditorProcess editor(TaviExePath(), CurrentFolder());
    // This thread handles no message while it waits, like a hung program.
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout, Pumping::Nothing);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Counter.closes, 0);
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(ExitTimeout));
    DestroyWindow(tavi);
}

TEST(TaviExe, WarnsOnceOnAnUntestedSystemAndThenRuns)
{
    // A copy under another name is shown the system's own version, which
    // the prefix leaves at Wine's default.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (ClassifySystem(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion) !=
        SystemVerdict::Warn)
        GTEST_SKIP() << "this system is not one the editor warns about";
    WorkingFolder folder(L"e2e-warn");
    const std::wstring copy = CurrentFolder() + L"\\TaviCopy.exe";
    ASSERT_TRUE(CopyFileW(TaviExePath().c_str(), copy.c_str(), FALSE));
    EditorProcess editor(copy, CurrentFolder());
    const HWND box = WaitForDialog("TaviCopy", editor.Id(), StartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(CWnd(GetDlgItem(box, 0xFFFF)).GetWindowText(), CString(UntestedSystemMessage));
    EXPECT_EQ(VisibleMainDialogs(), 0);
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    const HWND dialog = WaitForDialog(MainDialogTitle, editor.Id(), StartTimeout);
    ASSERT_NE(dialog, nullptr);
    CloseEditor(dialog);
    EXPECT_TRUE(editor.WaitForExit(ExitTimeout));
}
