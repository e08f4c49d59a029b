#include "editor_process.h"

#include <filesystem>
#include <string>

#include "framework/cstring.h"

namespace {
constexpr DWORD PollMilliseconds = 20;
constexpr int RoomListId = 1000;

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

void PumpWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct BoxMessages {
    UINT count;
    UINT length;
    UINT text;
};
constexpr BoxMessages ListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
constexpr BoxMessages ComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

// The entries as far as they can be read: the other process may remove
// some meanwhile (LB_ERR and CB_ERR are -1).
std::vector<std::string> BoxEntries(HWND box, const BoxMessages &messages)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(box, messages.count, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(box, messages.length, static_cast<WPARAM>(index), 0);
        if (length < 0)
            break;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied = SendMessageW(box, messages.text, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text.data()));
        if (copied < 0)
            break;
        text.resize(static_cast<std::size_t>(copied));
        entries.push_back(CString::FromWide(text).Bytes());
    }
    return entries;
}
} // namespace

std::wstring WindowsPath(const std::string &path)
{
    std::wstring windowsPath = std::filesystem::path(path).wstring();
    if (!windowsPath.empty() && windowsPath.front() == L'/')
        windowsPath.insert(0, L"Z:");
    for (wchar_t &character : windowsPath)
        if (character == L'/')
            character = L'\\';
    return windowsPath;
}

std::wstring TaviExePath()
{
    return WindowsPath(TAVI_EXE);
}

EditorProcess::EditorProcess(const std::wstring &exe, const std::wstring &workingFolder)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_))
        process_ = {};
}

EditorProcess::~EditorProcess()
{
    if (!process_.hProcess)
        return;
    if (IsRunning()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool EditorProcess::IsRunning() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool EditorProcess::WaitForExit(DWORD milliseconds) const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

HWND WaitForDialog(const char *title, DWORD processId, DWORD milliseconds, Pumping pumping)
{
    const std::wstring wideTitle = CString(title).ToWide();
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        if (pumping == Pumping::Messages)
            PumpWaitingMessages();
        for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", wideTitle.c_str()); window;
             window = FindWindowExW(nullptr, window, L"#32770", wideTitle.c_str()))
            if (IsWindowVisible(window) && (processId == 0 || ProcessOf(window) == processId))
                return window;
        if (pumping == Pumping::Messages)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, PollMilliseconds, QS_ALLINPUT);
        else
            Sleep(PollMilliseconds);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

std::vector<std::string> RoomListEntries(HWND dialog)
{
    return BoxEntries(GetDlgItem(dialog, RoomListId), ListBoxMessages);
}

std::vector<std::string> ComboEntries(HWND dialog, int id)
{
    return BoxEntries(GetDlgItem(dialog, id), ComboBoxMessages);
}

void CloseEditor(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}
