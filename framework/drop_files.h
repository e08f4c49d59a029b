// CDropFiles: the files of one drop from the shell (the HDROP of
// WM_DROPFILES): their names and the point they were dropped at. The drop's
// memory is released (DragFinish) when the object goes.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

class CDropFiles {
  public:
    explicit CDropFiles(HDROP drop) : drop_(drop) {}
    CDropFiles(const CDropFiles &) = delete;
    CDropFiles &operator=(const CDropFiles &) = delete;
    ~CDropFiles();

    // The full paths, in the order of the drop.
    std::vector<std::wstring> FileNames() const;
    // In client coordinates of the window that received the drop.
    POINT Point() const;

  private:
    HDROP drop_;
};
