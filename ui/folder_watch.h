// A change notification on a folder (FindFirstChangeNotification): its
// handle is signalled when an entry of the folder changes in a way that the
// filter names, and stays so until it is armed again.
#pragma once

#include <memory>
#include <string>
#include <type_traits>

#include <windows.h>

class FolderWatch {
  public:
    FolderWatch() = default;
    // The folder: code page 932, relative to the working folder, without a
    // trailing '\'. No watch when it does not exist.
    FolderWatch(const std::string &folder, DWORD filter);

    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE Handle() const { return handle_.get(); }
    // Whether a change has been signalled, without waiting.
    bool Signalled() const;
    // Waits for the next change; false (and the watch ended) when the
    // folder cannot be watched any more.
    bool Rearm();

  private:
    struct Closer {
        void operator()(HANDLE handle) const { FindCloseChangeNotification(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<HANDLE>, Closer> handle_;
};
