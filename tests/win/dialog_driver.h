// Helpers of the in-process dialog tests: a fresh working folder with files
// of the tests' choosing, message pumping through a dialog's
// pre-translation, and a recorder for the editor's message boxes.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "framework/cstring.h"
#include "framework/dialog.h"

// Makes a new empty folder the working directory for its lifetime, then
// goes back and removes it.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::wstring &name);
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;
    ~WorkingFolder();

    void MakeFolder(const std::wstring &relativePath) const;
    void WriteFile(const std::wstring &relativePath, const std::string &bytes) const;

  private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// The first 20 bytes of a package header with the two room flags set.
std::string PackageHead(unsigned char flag16, unsigned char flag19, std::size_t size = 1056);

// Routes every waiting message through the dialog (pre-translation first),
// until the queue is empty.
void PumpMessages(CDialog &dialog);

// Routes the editor's message boxes to a list while it lives.
class MessageBoxRecorder {
  public:
    explicit MessageBoxRecorder(int answer = IDOK);
    MessageBoxRecorder(const MessageBoxRecorder &) = delete;
    MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;
    ~MessageBoxRecorder();

    struct Box {
        CString text;
        UINT type;
    };
    std::vector<Box> boxes;
};

// Acts on a dialog from a second thread, as another program would: once a
// visible dialog-class window with the title (code page 932) shows, send
// gets it and sends it messages, nothing posted. A window still there
// EndBound after send returned counts as left open and is cancelled, so that
// a test never hangs.
class SendFromAnotherThread {
  public:
    static constexpr DWORD EndBound = 3000;

    SendFromAnotherThread(const std::string &title, std::function<void(HWND)> send);
    SendFromAnotherThread(const SendFromAnotherThread &) = delete;
    SendFromAnotherThread &operator=(const SendFromAnotherThread &) = delete;
    ~SendFromAnotherThread();

    // Waits for the thread: whether the dialog showed, got the messages and
    // was gone within the bound.
    bool EndedAtOnce();

  private:
    void Run(const std::wstring &title, const std::function<void(HWND)> &send);

    std::atomic<bool> endedAtOnce_ = false;
    std::thread thread_;
};

// The text of a window as code page 932 bytes.
std::string WindowTextBytes(HWND window);
