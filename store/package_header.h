// The 1056-byte header of a package, with its three texts. Texts are code
// page 932 byte strings: one length byte and 255 bytes of room. The editor
// keeps the header of the package last read as PackageHeader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t HeaderSize = 1056;
inline constexpr std::size_t TextCapacity = 255;
inline constexpr std::size_t RoomFlagOffset = 16;     // both room tests
inline constexpr std::size_t RoomListFlagOffset = 19; // the room list only

enum HeaderTextField { NameText, RemarksText, AuthorText };

struct PackageHeaderBlock {
    std::array<std::uint8_t, HeaderSize> bytes{};
};

// The text's L bytes (L = its length byte), whole, zero bytes included.
// Controls show it only up to its first zero byte.
std::string GetHeaderText(const PackageHeaderBlock &header, HeaderTextField which);
// Stores at most TextCapacity bytes; the rest of the area keeps its bytes.
void SetHeaderText(PackageHeaderBlock &header, HeaderTextField which, const std::string &text);
