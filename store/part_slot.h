// One slot of an image bank: a whole BMP file image, byte for byte, from its
// first byte. Every field is read through a bounds-checked accessor so that no
// caller does pointer arithmetic on slot bytes of its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "bmp_fields.h"

inline constexpr int SlotCount = 20;
inline constexpr std::size_t SlotSize = 77880;
inline constexpr std::size_t BankSize = SlotCount * SlotSize;

struct PartSlot {
    std::array<std::uint8_t, SlotSize> bytes{};
};

using PartBank = std::array<PartSlot, SlotCount>;

// The image's own file-size field (BMP bytes 2-5).
std::uint32_t FileSize(const PartSlot &slot);
// Start of the info header (byte 14), directly followed by the colour table.
const std::uint8_t *BitmapInfo(const PartSlot &slot);
std::int32_t Width(const PartSlot &slot);
std::int32_t Height(const PartSlot &slot);
std::uint16_t BitCount(const PartSlot &slot);
// Offset of the pixel array: 54 + 4 * 2^BitCount. Empty when that lies at or
// beyond the end of the slot (bit counts of 16 and more).
std::optional<std::size_t> PixelBitsOffset(const PartSlot &slot);
