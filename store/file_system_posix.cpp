// The file layer on POSIX systems. Names arrive as code page 932 bytes with
// '\' separators; they are converted to UTF-8, and a path component that does
// not exist as given is matched without regard to ASCII letter case, so that
// names behave as they do on Windows.
#include "file_system.h"

#include "code_page.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int InvalidDescriptor = -1;

struct DirectoryCloser {
    void operator()(DIR *dir) const { closedir(dir); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

Directory OpenDirectory(const std::string &folder)
{
    return Directory(opendir(folder.empty() ? "." : folder.c_str()));
}

bool Exists(const std::string &path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

char FoldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::string Join(const std::string &folder, std::string_view name)
{
    if (folder.empty()) {
        return std::string(name);
    }
    return folder.back() == '/' ? folder + std::string(name) : folder + '/' + std::string(name);
}

// The entry of folder called name: the exact name when it exists, otherwise
// the first entry equal to it without regard to ASCII case, otherwise the name
// as given (a file about to be created).
std::string MatchEntry(const std::string &folder, std::string_view name)
{
    std::string exact = Join(folder, name);
    if (name == "." || name == ".." || Exists(exact)) {
        return exact;
    }
    Directory dir = OpenDirectory(folder);
    while (dir) {
        const dirent *entry = readdir(dir.get());
        if (entry == nullptr) {
            break;
        }
        if (EqualIgnoringAsciiCase(entry->d_name, name)) {
            return Join(folder, entry->d_name);
        }
    }
    return exact;
}

std::optional<std::string> ToDiskName(std::string_view name)
{
    std::optional<std::string> converted = ConvertCp932ToUtf8(name);
    if (converted) {
        for (char &c : *converted) {
            c = c == '\\' ? '/' : c;
        }
    }
    return converted;
}

std::optional<std::string> FromDiskName(std::string_view name)
{
    return ConvertUtf8ToCp932(name);
}

// Every component of a disk path matched in turn.
std::string MatchComponents(std::string_view path)
{
    std::string matched = path.starts_with('/') ? "/" : "";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start) {
            matched = MatchEntry(matched, path.substr(start, end - start));
        }
        start = end + 1;
    }
    return matched;
}

std::optional<std::string> NativePath(const std::string &path)
{
    std::optional<std::string> disk = ToDiskName(path);
    if (!disk || disk->empty()) {
        return std::nullopt;
    }
    return MatchComponents(*disk);
}

int OpenDescriptor(const std::string &path, int flags)
{
    const std::optional<std::string> native = NativePath(path);
    if (!native) {
        return InvalidDescriptor;
    }
    constexpr mode_t NewFileMode = 0666;
    return open(native->c_str(), flags | O_CLOEXEC, NewFileMode);
}

bool IsFolderDescriptor(int fd)
{
    struct stat info;
    return fstat(fd, &info) != 0 || S_ISDIR(info.st_mode);
}

std::size_t UnicodeCharLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - at);
}

bool SameChar(std::string_view a, std::size_t atA, std::string_view b, std::size_t atB)
{
    const std::size_t length = UnicodeCharLength(a, atA);
    return length == UnicodeCharLength(b, atB) &&
           EqualIgnoringAsciiCase(a.substr(atA, length), b.substr(atB, length));
}

// '*' matches any run of characters, '?' exactly one; letters match without
// regard to ASCII case. Both texts are UTF-8.
bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameChar(pattern, p, name, n))) {
            p += UnicodeCharLength(pattern, p);
            n += UnicodeCharLength(name, n);
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            starName += UnicodeCharLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

// What the entry is, as its link leads; a link that leads nowhere is a
// file of no size.
FoundEntry DescribeEntry(const std::string &folder, const dirent &entry, std::string name)
{
    FoundEntry found{std::move(name)};
    struct stat info;
    if (stat(Join(folder, entry.d_name).c_str(), &info) == 0) {
        found.isFolder = S_ISDIR(info.st_mode);
        found.size = static_cast<std::uint64_t>(info.st_size);
        found.writeTime = static_cast<std::uint64_t>(info.st_mtime);
    }
    return found;
}
} // namespace

FileHandle::FileHandle(std::intptr_t native) : native_(native) {}

FileHandle::FileHandle(FileHandle &&other) noexcept : native_(other.native_)
{
    other.native_ = InvalidDescriptor;
}

FileHandle &FileHandle::operator=(FileHandle &&other) noexcept
{
    if (this != &other) {
        Close();
        native_ = other.native_;
        other.native_ = InvalidDescriptor;
    }
    return *this;
}

FileHandle::~FileHandle()
{
    Close();
}

FileHandle FileHandle::OpenForSharedRead(const std::string &path)
{
    const int fd = OpenDescriptor(path, O_RDONLY);
    if (fd != InvalidDescriptor && IsFolderDescriptor(fd)) {
        close(fd);
        return FileHandle();
    }
    return FileHandle(fd);
}

FileHandle FileHandle::OpenWithoutWriters(const std::string &path, bool &busy)
{
    busy = false;
    return OpenForSharedRead(path);
}

FileHandle FileHandle::CreateAlways(const std::string &path)
{
    return FileHandle(OpenDescriptor(path, O_WRONLY | O_CREAT | O_TRUNC));
}

FileHandle FileHandle::CreateNew(const std::string &path)
{
    return FileHandle(OpenDescriptor(path, O_WRONLY | O_CREAT | O_EXCL));
}

bool FileHandle::IsOpen() const
{
    return native_ != InvalidDescriptor;
}

std::size_t FileHandle::Read(void *buffer, std::size_t count)
{
    std::size_t delivered = 0;
    while (IsOpen() && delivered < count) {
        const ssize_t got =
            read(static_cast<int>(native_), static_cast<char *>(buffer) + delivered, count - delivered);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        delivered += static_cast<std::size_t>(got);
    }
    return delivered;
}

bool FileHandle::Skip(std::uint64_t count)
{
    constexpr std::uint64_t LargestOffset = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
    return IsOpen() && count <= LargestOffset &&
           lseek(static_cast<int>(native_), static_cast<off_t>(count), SEEK_CUR) != -1;
}

bool FileHandle::Write(const void *buffer, std::size_t count)
{
    std::size_t written = 0;
    while (IsOpen() && written < count) {
        const ssize_t put =
            write(static_cast<int>(native_), static_cast<const char *>(buffer) + written, count - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    return written == count;
}

bool FileHandle::Close()
{
    if (!IsOpen()) {
        return false;
    }
    const int fd = static_cast<int>(native_);
    native_ = InvalidDescriptor;
    return close(fd) == 0;
}

bool DeleteFileAt(const std::string &path)
{
    const std::optional<std::string> native = NativePath(path);
    return native && unlink(native->c_str()) == 0;
}

bool RenameFile(const std::string &from, const std::string &to, bool replaceExisting)
{
    const std::optional<std::string> nativeFrom = NativePath(from);
    const std::optional<std::string> nativeTo = NativePath(to);
    if (!nativeFrom || !nativeTo || (!replaceExisting && Exists(*nativeTo))) {
        return false;
    }
    return rename(nativeFrom->c_str(), nativeTo->c_str()) == 0;
}

bool CreateFolder(const std::string &path)
{
    const std::optional<std::string> native = NativePath(path);
    constexpr mode_t NewFolderMode = 0777;
    return native && mkdir(native->c_str(), NewFolderMode) == 0;
}

std::vector<FoundEntry> FindEntries(const std::string &pattern)
{
    std::vector<FoundEntry> found;
    const std::optional<std::string> disk = ToDiskName(pattern);
    if (!disk) {
        return found;
    }
    const std::size_t lastSeparator = disk->rfind('/');
    const bool inFolder = lastSeparator != std::string::npos;
    const std::string folder =
        inFolder ? MatchComponents(disk->substr(0, std::max<std::size_t>(lastSeparator, 1))) : "";
    std::string namePattern = inFolder ? disk->substr(lastSeparator + 1) : *disk;
    // As on Windows, "*.*" also finds names without a dot.
    if (namePattern == "*.*") {
        namePattern = "*";
    }
    Directory dir = OpenDirectory(folder);
    while (dir) {
        const dirent *entry = readdir(dir.get());
        if (entry == nullptr) {
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !WildcardMatch(namePattern, name)) {
            continue;
        }
        if (std::optional<std::string> converted = FromDiskName(name)) {
            found.push_back(DescribeEntry(folder, *entry, std::move(*converted)));
        }
    }
    return found;
}
