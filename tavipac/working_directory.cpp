#include "working_directory.h"

#include <system_error>

#include "command_error.h"

namespace {

std::filesystem::path FromUtf8(const std::string &text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

} // namespace

WorkingDirectory::WorkingDirectory(const std::string &folder)
{
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    if (!error) {
        std::filesystem::current_path(FromUtf8(folder), error);
    }
    if (error) {
        previous_.clear();
        throw CommandError("cannot change to the folder " + folder);
    }
}

WorkingDirectory::~WorkingDirectory()
{
    if (!previous_.empty()) {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
}
