#include "dialog_driver.h"

#include "framework/message_box.h"
#include "framework/wnd.h"

WorkingFolder::WorkingFolder(const std::wstring &name)
    : previous_(std::filesystem::current_path()), folder_(previous_ / (L"work-" + name))
{
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
}

WorkingFolder::~WorkingFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

void WorkingFolder::MakeFolder(const std::wstring &relativePath) const
{
    std::filesystem::create_directories(folder_ / relativePath);
}

void WorkingFolder::WriteFile(const std::wstring &relativePath, const std::string &bytes) const
{
    const std::wstring path = (folder_ / relativePath).wstring();
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string PackageHead(unsigned char flag16, unsigned char flag19, std::size_t size)
{
    std::string bytes(size, '\0');
    if (size > 16)
        bytes[16] = static_cast<char>(flag16);
    if (size > 19)
        bytes[19] = static_cast<char>(flag19);
    return bytes;
}

void PumpMessages(CDialog &dialog)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        dialog.RouteMessage(message);
}

MessageBoxRecorder::MessageBoxRecorder(int answer)
{
    SetMessageBoxHook([this, answer](const CString &text, UINT type) {
        boxes.push_back({text, type});
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    SetMessageBoxHook({});
}

SendFromAnotherThread::SendFromAnotherThread(const std::string &title, std::function<void(HWND)> send)
    : thread_([this, wide = CString(title).ToWide(), send = std::move(send)] { Run(wide, send); })
{
}

SendFromAnotherThread::~SendFromAnotherThread()
{
    if (thread_.joinable())
        thread_.join();
}

bool SendFromAnotherThread::EndedAtOnce()
{
    if (thread_.joinable())
        thread_.join();
    return endedAtOnce_;
}

void SendFromAnotherThread::Run(const std::wstring &title, const std::function<void(HWND)> &send)
{
    constexpr DWORD Poll = 10;
    constexpr DWORD ShowBound = 10000;
    constexpr DWORD Settle = 300;
    const auto waitFor = [](DWORD bound, const auto &condition) {
        const ULONGLONG deadline = GetTickCount64() + bound;
        while (!condition() && GetTickCount64() < deadline)
            Sleep(Poll);
        return condition();
    };
    HWND dialog = nullptr;
    if (!waitFor(ShowBound, [&] {
            dialog = FindWindowW(L"#32770", title.c_str());
            return dialog && IsWindowVisible(dialog);
        }))
        return;
    // Lets the dialog finish painting: then nothing but the send is left to
    // wake its loop.
    Sleep(Settle);
    send(dialog);
    endedAtOnce_ = waitFor(EndBound, [&] { return !IsWindow(dialog); });
    if (!endedAtOnce_)
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

std::string WindowTextBytes(HWND window)
{
    return CWnd(window).GetWindowText().Bytes();
}
