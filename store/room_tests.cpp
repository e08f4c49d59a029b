#include "room_tests.h"

#include <array>

#include "file_system.h"
#include "package_header.h"

namespace {
constexpr std::size_t RoomListProbeSize = 20;
constexpr std::size_t ComposeListProbeSize = 17;
constexpr std::uint8_t RoomFlag = 1;

struct FileHead {
    std::array<std::uint8_t, RoomListProbeSize> bytes{};
    std::size_t delivered = 0;
    bool opened = false;

    std::span<const std::uint8_t> Bytes() const { return std::span(bytes).first(delivered); }
};

// The first count bytes of the file in one read; nothing when it cannot be
// opened (gone, locked, or a folder).
FileHead ReadHead(const std::string &path, std::size_t count)
{
    FileHead head;
    FileHandle file = FileHandle::OpenForSharedRead(path);
    if (file.IsOpen()) {
        head.opened = true;
        head.delivered = file.Read(head.bytes.data(), count);
    }
    return head;
}

bool FlagSet(std::span<const std::uint8_t> head, std::size_t offset)
{
    return offset < head.size() && head[offset] == RoomFlag;
}
} // namespace

std::optional<bool> RoomListProbe(const std::string &path)
{
    const FileHead head = ReadHead(path, RoomListProbeSize);
    return head.opened ? std::optional<bool>(RoomListProbe(head.Bytes())) : std::nullopt;
}

bool ComposeListProbe(const std::string &path)
{
    return ComposeListProbe(ReadHead(path, ComposeListProbeSize).Bytes());
}

bool RoomListProbe(std::span<const std::uint8_t> head)
{
    return FlagSet(head, RoomFlagOffset) || FlagSet(head, RoomListFlagOffset);
}

bool ComposeListProbe(std::span<const std::uint8_t> head)
{
    return FlagSet(head, RoomFlagOffset);
}
