#include "sample_rooms.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "sample_furniture.h"
#include "sample_scenes.h"
#include "store/package_header.h"
#include "store/part_slot.h"

namespace {

constexpr std::size_t NameOffset = 32;
constexpr std::size_t RemarksOffset = 288;
constexpr std::size_t AuthorOffset = 544;
constexpr std::uint8_t RoomFlag = 1;

constexpr std::array<SampleRoom, 3> Rooms = {{
    {"sakura.pac", "さくらの部屋", "桜色のやさしい部屋です。\r\n窓からお花見ができます。", "Tavi サンプル"},
    {"umi.pac", "うみべの部屋", "海の見える青い部屋です。\r\n夜は星がきれいです。", "Tavi サンプル"},
    {"mori.pac", "もりの部屋", "森の中の小さな部屋です。\r\n木のぬくもりをどうぞ。", "Tavi サンプル"},
}};

const std::array<Theme, 3> Themes = {{
    {{0x000000, 0x8EC8F0, 0xE0A8BC, 0xC8965A, 0x9A6440, 0xE87FA0, 0xE8D8E0, 0xE8B830, 0x60B0E0, 0x78B050,
      0x9CB0D0, 0x283C78, 0xE8DCC8, 0xD04838, 0xB0A8A0, 0xF08CB4},
     Scenery::Blossom},
    {{0x000000, 0x70B8F0, 0x98C0DC, 0xD8C090, 0x8A6A50, 0x3C78C8, 0xD8E4EC, 0xF0C040, 0x2A80C8, 0x68A860,
      0x6E9868, 0x1C2C64, 0xE8D4A8, 0xE05040, 0xA8B4B8, 0xF08070},
     Scenery::Sea},
    {{0x000000, 0x98C8E8, 0xD0C098, 0xA87848, 0x7A5030, 0x4E9A50, 0xE4DCC8, 0xD8A830, 0x58A0C0, 0x3E8840,
      0x7898A8, 0x22305A, 0xE8DCC0, 0xC05030, 0xA8A090, 0xF0E070},
     Scenery::Forest},
}};

using Drawing = std::function<Canvas(const Theme &)>;

// What each slot shows, by slot number.
const std::array<Drawing, SlotCount> SlotDrawings = {{
    [](const Theme &t) { return DrawWindowView(t, Daylight::Day); },
    [](const Theme &t) { return DrawWindowView(t, Daylight::Night); },
    [](const Theme &t) { return DrawWindowView(t, Daylight::Rainbow); },
    [](const Theme &t) { return DrawDoorView(t, Daylight::Day); },
    [](const Theme &t) { return DrawRoom(t); },
    [](const Theme &) { return DrawDoor(DoorState::Closed); },
    [](const Theme &) { return DrawDoor(DoorState::Ajar); },
    [](const Theme &) { return DrawDoor(DoorState::Open); },
    [](const Theme &t) { return DrawBed(t, false); },
    [](const Theme &t) { return DrawBed(t, true); },
    [](const Theme &) { return DrawChest(false); },
    [](const Theme &) { return DrawChest(true); },
    [](const Theme &) { return DrawTable(); },
    [](const Theme &) { return DrawMailbox(); },
    [](const Theme &) { return DrawPlant(); },
    [](const Theme &) { return DrawBath(); },
    [](const Theme &) { return DrawLetter(Accent); },
    [](const Theme &) { return DrawLetter(Red); },
    [](const Theme &) { return DrawLetter(Water); },
    [](const Theme &t) { return DrawDoorView(t, Daylight::Night); },
}};

void PutText(std::vector<std::uint8_t> &header, std::size_t offset, const char *text)
{
    const std::size_t length = std::min(std::strlen(text), TextCapacity);
    header[offset] = static_cast<std::uint8_t>(length);
    std::memcpy(header.data() + offset + 1, text, length);
}

std::vector<std::uint8_t> BuildHeader(const SampleRoom &room)
{
    std::vector<std::uint8_t> header(HeaderSize);
    header[RoomFlagOffset] = RoomFlag;
    PutText(header, NameOffset, room.nameText);
    PutText(header, RemarksOffset, room.remarksText);
    PutText(header, AuthorOffset, room.authorText);
    return header;
}

void AppendRecord(std::vector<std::uint8_t> &package, const std::vector<std::uint8_t> &image)
{
    const auto size = static_cast<std::uint32_t>(image.size());
    for (int shift = 0; shift < 32; shift += 8)
        package.push_back(static_cast<std::uint8_t>(size >> shift));
    package.insert(package.end(), image.begin(), image.end());
}

} // namespace

std::span<const SampleRoom> SampleRooms()
{
    return Rooms;
}

std::vector<std::uint8_t> BuildSampleRoomPackage(int index)
{
    if (index < 0 || index >= static_cast<int>(Rooms.size()))
        return {};
    const Theme &theme = Themes[static_cast<std::size_t>(index)];
    const std::vector<std::uint32_t> palette = BuildRampPalette(theme.colours);
    std::array<std::vector<std::uint8_t>, SlotCount> masks;
    std::vector<std::uint8_t> package = BuildHeader(Rooms[static_cast<std::size_t>(index)]);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const Canvas canvas = SlotDrawings[static_cast<std::size_t>(slot)](theme);
        AppendRecord(package, canvas.PictureBmp(palette));
        masks[static_cast<std::size_t>(slot)] = canvas.MaskBmp();
    }
    for (const std::vector<std::uint8_t> &mask : masks)
        AppendRecord(package, mask);
    return package;
}
