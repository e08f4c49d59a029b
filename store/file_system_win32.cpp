// The file layer on Windows: code page 932 names are converted to UTF-16 with
// code page 932 named explicitly, whatever the system's code page is, and the
// wide-character functions do the work.
#include "file_system.h"

#include "code_page.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>

namespace {
std::optional<std::wstring> Widen(const std::string &name)
{
    if (name.empty()) {
        return std::nullopt;
    }
    return WideFromCp932(name);
}

// The name in code page 932, or nothing when a character has no exact match.
std::optional<std::string> Narrow(const std::wstring &wide)
{
    return Cp932FromWide(wide);
}

HANDLE ToHandle(std::intptr_t native)
{
    return reinterpret_cast<HANDLE>(native);
}

std::intptr_t OpenNative(const std::string &path, DWORD access, DWORD share, DWORD disposition)
{
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide) {
        return reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    }
    return reinterpret_cast<std::intptr_t>(
        CreateFileW(wide->c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Largest piece handed to one ReadFile or WriteFile call.
constexpr std::size_t LargestTransfer = 1u << 30;

struct FindCloser {
    void operator()(HANDLE find) const { FindClose(find); }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

FindHandle StartFind(const std::wstring &pattern, WIN32_FIND_DATAW &data)
{
    const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    return FindHandle(find == INVALID_HANDLE_VALUE ? nullptr : find);
}

std::uint64_t Combined(DWORD high, DWORD low)
{
    return static_cast<std::uint64_t>(high) << 32 | low;
}

bool IsDotEntry(const wchar_t *name)
{
    return std::wstring_view(name) == L"." || std::wstring_view(name) == L"..";
}
} // namespace

FileHandle::FileHandle(std::intptr_t native) : native_(native) {}

FileHandle::FileHandle(FileHandle &&other) noexcept : native_(other.native_)
{
    other.native_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

FileHandle &FileHandle::operator=(FileHandle &&other) noexcept
{
    if (this != &other) {
        Close();
        native_ = other.native_;
        other.native_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    }
    return *this;
}

FileHandle::~FileHandle()
{
    Close();
}

FileHandle FileHandle::OpenForSharedRead(const std::string &path)
{
    return FileHandle(OpenNative(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
}

FileHandle FileHandle::OpenWithoutWriters(const std::string &path, bool &busy)
{
    FileHandle file(OpenNative(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    busy = !file.IsOpen() && GetLastError() == ERROR_SHARING_VIOLATION;
    return file;
}

FileHandle FileHandle::CreateAlways(const std::string &path)
{
    return FileHandle(OpenNative(path, GENERIC_WRITE, 0, CREATE_ALWAYS));
}

FileHandle FileHandle::CreateNew(const std::string &path)
{
    return FileHandle(OpenNative(path, GENERIC_WRITE, 0, CREATE_NEW));
}

bool FileHandle::IsOpen() const
{
    return ToHandle(native_) != INVALID_HANDLE_VALUE;
}

std::size_t FileHandle::Read(void *buffer, std::size_t count)
{
    std::size_t delivered = 0;
    while (IsOpen() && delivered < count) {
        const DWORD piece = static_cast<DWORD>(std::min(count - delivered, LargestTransfer));
        DWORD got = 0;
        if (!ReadFile(ToHandle(native_), static_cast<char *>(buffer) + delivered, piece, &got, nullptr) ||
            got == 0) {
            break;
        }
        delivered += got;
    }
    return delivered;
}

bool FileHandle::Skip(std::uint64_t count)
{
    if (!IsOpen() || count > static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max())) {
        return false;
    }
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(count);
    return SetFilePointerEx(ToHandle(native_), distance, nullptr, FILE_CURRENT) != 0;
}

bool FileHandle::Write(const void *buffer, std::size_t count)
{
    std::size_t written = 0;
    while (IsOpen() && written < count) {
        const DWORD piece = static_cast<DWORD>(std::min(count - written, LargestTransfer));
        DWORD put = 0;
        if (!WriteFile(ToHandle(native_), static_cast<const char *>(buffer) + written, piece, &put,
                       nullptr) ||
            put == 0) {
            return false;
        }
        written += put;
    }
    return written == count;
}

bool FileHandle::Close()
{
    if (!IsOpen()) {
        return false;
    }
    const HANDLE handle = ToHandle(native_);
    native_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    return CloseHandle(handle) != 0;
}

bool DeleteFileAt(const std::string &path)
{
    const std::optional<std::wstring> wide = Widen(path);
    return wide && DeleteFileW(wide->c_str());
}

bool RenameFile(const std::string &from, const std::string &to, bool replaceExisting)
{
    const std::optional<std::wstring> wideFrom = Widen(from);
    const std::optional<std::wstring> wideTo = Widen(to);
    return wideFrom && wideTo &&
           MoveFileExW(wideFrom->c_str(), wideTo->c_str(), replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
}

bool CreateFolder(const std::string &path)
{
    const std::optional<std::wstring> wide = Widen(path);
    return wide && CreateDirectoryW(wide->c_str(), nullptr);
}

std::vector<FoundEntry> FindEntries(const std::string &pattern)
{
    std::vector<FoundEntry> found;
    const std::optional<std::wstring> wide = Widen(pattern);
    if (!wide) {
        return found;
    }
    WIN32_FIND_DATAW data;
    const FindHandle find = StartFind(*wide, data);
    for (bool more = find != nullptr; more; more = FindNextFileW(find.get(), &data)) {
        if (IsDotEntry(data.cFileName)) {
            continue;
        }
        if (std::optional<std::string> name = Narrow(data.cFileName)) {
            found.push_back(
                {std::move(*name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                 Combined(data.nFileSizeHigh, data.nFileSizeLow),
                 Combined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)});
        }
    }
    return found;
}
