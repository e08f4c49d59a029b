// The file operations of the editor behind one small interface. Every name is
// a code page 932 byte string with '\' as the folder separator, relative to
// the working directory. The Win32 side converts names at the call with the
// wide-character functions; the POSIX side converts them to UTF-8 and matches
// names without regard to letter case, as Windows does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "byte_source.h"

class FileHandle : public ByteSource {
  public:
    FileHandle() = default;
    FileHandle(FileHandle &&other) noexcept;
    FileHandle &operator=(FileHandle &&other) noexcept;
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    ~FileHandle() override;

    // Read access, other readers and writers allowed, the file must exist.
    static FileHandle OpenForSharedRead(const std::string &path);
    // Write access, no sharing, created anew or truncated.
    static FileHandle CreateAlways(const std::string &path);
    // Write access, no sharing, fails if the file exists.
    static FileHandle CreateNew(const std::string &path);
    // Read access that keeps writers out while the file is open. Fails
    // when the file does not exist, and with busy set when another program
    // has it open for writing now (on Windows; POSIX systems cannot tell).
    static FileHandle OpenWithoutWriters(const std::string &path, bool &busy);

    bool IsOpen() const;
    // Returns the number of bytes delivered (0 at the end of the file).
    std::size_t Read(void *buffer, std::size_t count) override;
    // Moves the position count bytes on; false when that fails.
    bool Skip(std::uint64_t count) override;
    // True only when every byte was written.
    bool Write(const void *buffer, std::size_t count);
    // True when the file closed cleanly; a closed handle stays closed.
    bool Close();

  private:
    explicit FileHandle(std::intptr_t native);
    std::intptr_t native_ = -1;
};

bool DeleteFileAt(const std::string &path);
// Renames a file; with replaceExisting an existing target is replaced.
bool RenameFile(const std::string &from, const std::string &to, bool replaceExisting);
bool CreateFolder(const std::string &path);

struct FoundEntry {
    std::string name; // without the folder
    bool isFolder = false;
    std::uint64_t size = 0;
    // The time of the last write, in the system's own units: compared only.
    std::uint64_t writeTime = 0;
};
// Wildcard enumeration of "folder\pattern" ('*' and '?' in the last part
// only), files and folders alike, in the order the file system gives them.
std::vector<FoundEntry> FindEntries(const std::string &pattern);
