#include "part_slot.h"

#include "byte_reader.h"

namespace {
// Beyond this the colour table alone would be larger than a slot.
constexpr std::uint16_t LargestTableBitCount = 24;
} // namespace

std::uint32_t FileSize(const PartSlot &slot)
{
    return ReadU32LE(slot.bytes, BmpField::FileSize);
}

const std::uint8_t *BitmapInfo(const PartSlot &slot)
{
    return slot.bytes.data() + BmpFileHeaderSize;
}

std::int32_t Width(const PartSlot &slot)
{
    return ReadI32LE(slot.bytes, BmpField::Width);
}

std::int32_t Height(const PartSlot &slot)
{
    return ReadI32LE(slot.bytes, BmpField::Height);
}

std::uint16_t BitCount(const PartSlot &slot)
{
    return ReadU16LE(slot.bytes, BmpField::BitCount);
}

std::optional<std::size_t> PixelBitsOffset(const PartSlot &slot)
{
    const std::uint16_t bitCount = BitCount(slot);
    if (bitCount > LargestTableBitCount) {
        return std::nullopt;
    }
    const std::uint64_t offset = BmpField::ColourTable + (BmpColourEntrySize << bitCount);
    if (offset >= SlotSize) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(offset);
}
