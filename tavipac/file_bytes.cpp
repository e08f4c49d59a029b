#include "file_bytes.h"

#include "command_error.h"
#include "paths.h"
#include "store/file_system.h"

namespace {
constexpr std::size_t ReadChunk = 65536;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string &storePath, std::size_t limit)
{
    FileHandle file = FileHandle::OpenForSharedRead(storePath);
    if (!file.IsOpen()) {
        throw CommandError("cannot open " + ShownPath(storePath));
    }
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t start = bytes.size();
        bytes.resize(start + ReadChunk);
        const std::size_t got = file.Read(bytes.data() + start, ReadChunk);
        bytes.resize(start + got);
        if (got == 0) {
            return bytes;
        }
        if (bytes.size() > limit) {
            throw CommandError(ShownPath(storePath) + " is larger than " + std::to_string(limit) + " bytes");
        }
    }
}

bool PathExists(const std::string &storePath)
{
    return FileHandle::OpenForSharedRead(storePath).IsOpen() || !FindEntries(storePath).empty();
}

void WriteFileBytes(const std::string &storePath, std::span<const std::uint8_t> bytes, bool replace)
{
    if (!replace && PathExists(storePath)) {
        throw CommandError(ShownPath(storePath) + " exists already; use --force to replace it");
    }
    FileHandle file = replace ? FileHandle::CreateAlways(storePath) : FileHandle::CreateNew(storePath);
    if (!file.IsOpen()) {
        throw CommandError("cannot create " + ShownPath(storePath));
    }
    if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) {
        throw CommandError("cannot write " + ShownPath(storePath));
    }
}
