#include "drop_files.h"

#include <shellapi.h>

namespace {
// DragQueryFileW with this index gives the number of files.
constexpr UINT FileCountQuery = 0xFFFFFFFF;
} // namespace

CDropFiles::~CDropFiles()
{
    DragFinish(drop_);
}

std::vector<std::wstring> CDropFiles::FileNames() const
{
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop_, FileCountQuery, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        // Without a buffer it gives the length, without the terminating zero.
        std::wstring name(DragQueryFileW(drop_, index, nullptr, 0), L'\0');
        DragQueryFileW(drop_, index, name.data(), static_cast<UINT>(name.size() + 1));
        names.push_back(name);
    }
    return names;
}

POINT CDropFiles::Point() const
{
    POINT point{};
    DragQueryPoint(drop_, &point);
    return point;
}
