#include "paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "command_error.h"
#include "core/file_names.h"
#include "core/part_files.h"
#include "text_conversion.h"

namespace {

constexpr char StoreSeparator = '\\';
#ifdef _WIN32
constexpr char ShownSeparator = '\\';
#else
constexpr char ShownSeparator = '/';
#endif

} // namespace

std::string StorePath(const std::string &commandLinePath)
{
    // In UTF-8 a '/' is always a separator; in code page 932 the byte 0x5C may
    // be the second half of a character, so separators are changed first.
    std::string separated = commandLinePath;
    std::replace(separated.begin(), separated.end(), '/', StoreSeparator);
    return Utf8ToCp932(separated, "the path " + commandLinePath);
}

std::string StoreFolder(const std::string &commandLinePath)
{
    std::string folder = StorePath(commandLinePath);
    if (!folder.empty() && !commandLinePath.ends_with('/') && !commandLinePath.ends_with('\\')) {
        folder += StoreSeparator;
    }
    return folder;
}

std::string CollectionFolderIn(const std::string &workdir)
{
    if (workdir.empty()) {
        return PartsCollectionFolder;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::path(std::u8string(workdir.begin(), workdir.end())),
                                       error)) {
        throw CommandError("cannot change to the folder " + workdir);
    }
    return StoreFolder(workdir) + PartsCollectionFolder;
}

std::string ShownPath(const std::string &storePath)
{
    std::string shown = Cp932ToUtf8(storePath);
    std::replace(shown.begin(), shown.end(), StoreSeparator, ShownSeparator);
    return shown;
}
