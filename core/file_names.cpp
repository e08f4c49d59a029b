#include "file_names.h"

namespace {
constexpr char Separator = '\\';

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
} // namespace

std::string FileNameOf(const std::string &path)
{
    std::size_t nameStart = 0;
    for (std::size_t at = 0; at < path.size(); ++at) {
        const auto byte = static_cast<unsigned char>(path[at]);
        if (IsLeadByte(byte))
            ++at;
        else if (byte == Separator)
            nameStart = at + 1;
    }
    return path.substr(nameStart);
}
