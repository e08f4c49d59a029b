// Complete room packages drawn procedurally, for trying the editor out and
// as fixtures for tests. Every package has flag byte 16 set, code page 932
// texts, and forty 8-bit images with 256-colour tables: the views and the
// room at 320 x 240 (the largest that fits a slot), the furniture smaller,
// and masks that are black where a part is opaque and white where it is cut
// out.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct SampleRoom {
    // ASCII file name with its ".pac" extension.
    const char *fileName;
    // The header texts, code page 932 bytes; line breaks are CR LF.
    const char *nameText;
    const char *remarksText;
    const char *authorText;
};

std::span<const SampleRoom> SampleRooms();

// The whole package file of SampleRooms()[index]; empty for any other index.
std::vector<std::uint8_t> BuildSampleRoomPackage(int index);
