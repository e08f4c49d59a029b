#include "room_tests.h"

#include <array>
#include <cstdint>

#include "file_system.h"
#include "package_header.h"

namespace {
constexpr std::size_t RoomListProbeSize = 20;
constexpr std::size_t ComposeListProbeSize = 17;
constexpr std::uint8_t RoomFlag = 1;

struct FileHead {
    std::array<std::uint8_t, RoomListProbeSize> bytes{};
    std::size_t delivered = 0;

    bool FlagSet(std::size_t offset) const { return offset < delivered && bytes[offset] == RoomFlag; }
};

// The first count bytes of the file in one read; nothing when it cannot be
// opened (gone, locked, or a folder).
FileHead ReadHead(const std::string &path, std::size_t count)
{
    FileHead head;
    FileHandle file = FileHandle::OpenForSharedRead(path);
    if (file.IsOpen()) {
        head.delivered = file.Read(head.bytes.data(), count);
    }
    return head;
}
} // namespace

bool RoomListProbe(const std::string &path)
{
    const FileHead head = ReadHead(path, RoomListProbeSize);
    return head.FlagSet(RoomFlagOffset) || head.FlagSet(RoomListFlagOffset);
}

bool ComposeListProbe(const std::string &path)
{
    return ReadHead(path, ComposeListProbeSize).FlagSet(RoomFlagOffset);
}
