#include "folder_watch.h"

#include <optional>

#include "store/code_page.h"

FolderWatch::FolderWatch(const std::string &folder, DWORD filter)
{
    const std::optional<std::wstring> wide = WideFromCp932(folder);
    if (!wide)
        return;
    const HANDLE handle = FindFirstChangeNotificationW(wide->c_str(), FALSE, filter);
    if (handle != INVALID_HANDLE_VALUE)
        handle_.reset(handle);
}

bool FolderWatch::Signalled() const
{
    return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_OBJECT_0;
}

bool FolderWatch::Rearm()
{
    if (handle_ && !FindNextChangeNotification(handle_.get()))
        handle_.reset();
    return handle_ != nullptr;
}
