#include "file_bytes.h"

#include "command_error.h"
#include "paths.h"
#include "core/whole_file.h"
#include "store/file_system.h"

std::vector<std::uint8_t> ReadFileBytes(const std::string &storePath, std::size_t limit)
{
    WholeFile file = ReadWholeFile(storePath, limit);
    if (file.status == WholeFileStatus::CannotOpen) {
        throw CommandError("cannot open " + ShownPath(storePath));
    }
    if (file.status == WholeFileStatus::TooLarge) {
        throw CommandError(ShownPath(storePath) + " is larger than " + std::to_string(limit) + " bytes");
    }
    return std::move(file.bytes);
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
