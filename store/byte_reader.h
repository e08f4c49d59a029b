// Little-endian reads of fixed-width fields from a byte span. A field that
// does not lie wholly inside the span reads as zero: no read ever goes past
// the span's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

inline bool FieldFits(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width)
{
    return offset <= bytes.size() && width <= bytes.size() - offset;
}

inline std::uint16_t ReadU16LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (!FieldFits(bytes, offset, 2)) {
        return 0;
    }
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline std::uint32_t ReadU32LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (!FieldFits(bytes, offset, 4)) {
        return 0;
    }
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

inline std::int32_t ReadI32LE(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(ReadU32LE(bytes, offset));
}
