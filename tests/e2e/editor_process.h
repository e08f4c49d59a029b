// The real Tavi.exe started in a working folder and watched from outside.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// A path as the build sees it, as a Windows path: under Wine a Unix path is
// reached through drive Z:.
std::wstring WindowsPath(const std::string &path);
// The program under test, as a Windows path.
std::wstring TaviExePath();

class EditorProcess {
  public:
    // Starts exe with the given working folder; IsRunning tells whether it
    // could be started.
    EditorProcess(const std::wstring &exe, const std::wstring &workingFolder);
    EditorProcess(const EditorProcess &) = delete;
    EditorProcess &operator=(const EditorProcess &) = delete;
    // Ends the process if it still runs.
    ~EditorProcess();

    bool IsRunning() const;
    DWORD Id() const { return process_.dwProcessId; }
    // Waits for the process to end; false on time-out.
    bool WaitForExit(DWORD milliseconds) const;

  private:
    PROCESS_INFORMATION process_{};
};

enum class Pumping { Messages, Nothing };

// A visible top-level dialog-class window with this title (code page 932)
// of the given process (any process for 0), waiting up to the time-out,
// meanwhile handling this thread's messages or not; null if none appeared.
HWND WaitForDialog(const char *title, DWORD processId, DWORD milliseconds,
                   Pumping pumping = Pumping::Messages);

// Polls the condition every few milliseconds until it holds; false when it
// still does not after bound milliseconds.
template <class Condition> bool WaitUntil(Condition condition, DWORD bound)
{
    const ULONGLONG deadline = GetTickCount64() + bound;
    while (!condition()) {
        if (GetTickCount64() > deadline)
            return false;
        Sleep(20);
    }
    return true;
}

// The entries of another process's room list, code page 932: only the
// wide-character messages carry them across.
std::vector<std::string> RoomListEntries(HWND dialog);
// The same of a combo box of the dialog.
std::vector<std::string> ComboEntries(HWND dialog, int id);
// Closes another process's main dialog as its Cancel button would.
void CloseEditor(HWND dialog);
