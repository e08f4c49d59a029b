// The fields of a BMP file that the editor and its tools read and write:
// their byte positions from the file's first byte (little-endian), the
// sizes of the headers, the compression values, the row stride and the colour count.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t BmpFileHeaderSize = 14;
inline constexpr std::size_t BmpInfoHeaderSize = 40;
// Colour table entries: blue, green, red and a reserved byte.
inline constexpr std::size_t BmpColourEntrySize = 4;
// After the 12-byte OS/2 header the entries have no reserved byte.
inline constexpr std::size_t BmpCoreColourEntrySize = 3;

// The sizes of info header that are read: the 12-byte OS/2 1.x header, the
// OS/2 2.x header (16 or 64 bytes; its first 40 bytes are those of the
// 40-byte one), the 40-byte header, the ones with colour masks (52 bytes,
// 56 with an alpha mask), versions 4 and 5.
namespace BmpInfoSize {
inline constexpr std::uint32_t Core = 12;
inline constexpr std::uint32_t Os2Short = 16;
inline constexpr std::uint32_t Info = 40;
inline constexpr std::uint32_t ColourMasks = 52;
inline constexpr std::uint32_t AlphaMask = 56;
inline constexpr std::uint32_t Os2 = 64;
inline constexpr std::uint32_t Version4 = 108;
inline constexpr std::uint32_t Version5 = 124;
} // namespace BmpInfoSize

namespace BmpField {
// File header.
inline constexpr std::size_t Signature = 0;
inline constexpr std::size_t FileSize = 2;
inline constexpr std::size_t PixelOffset = 10;
// Info header.
inline constexpr std::size_t InfoSize = 14;
inline constexpr std::size_t Width = 18;
inline constexpr std::size_t Height = 22;
inline constexpr std::size_t Planes = 26;
inline constexpr std::size_t BitCount = 28;
inline constexpr std::size_t Compression = 30;
inline constexpr std::size_t ImageSize = 34;
inline constexpr std::size_t ColoursUsed = 46;
inline constexpr std::size_t ColoursImportant = 50;
// The colour table after a 40-byte info header.
inline constexpr std::size_t ColourTable = BmpFileHeaderSize + BmpInfoHeaderSize;
// The colour masks: in the headers of 52 bytes and more, or right after
// the 40-byte one when the compression says bit fields.
inline constexpr std::size_t RedMask = 54;
inline constexpr std::size_t AlphaMask = 66;
// The 12-byte header: 16-bit width, height, planes and bit count.
inline constexpr std::size_t CoreWidth = 18;
inline constexpr std::size_t CoreHeight = 20;
inline constexpr std::size_t CorePlanes = 22;
inline constexpr std::size_t CoreBitCount = 24;
} // namespace BmpField

// Values of the compression field that the editor and its tools read.
namespace BmpCompression {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Rle8 = 1;
inline constexpr std::uint32_t Rle4 = 2;
// Pixels of 16 or 32 bits split by the colour masks (and an alpha mask).
inline constexpr std::uint32_t Bitfields = 3;
inline constexpr std::uint32_t AlphaBitfields = 6;
} // namespace BmpCompression

// Bytes in one stored row of pixels: rows are padded to a multiple of four
// bytes. width is positive.
inline std::uint64_t BmpRowStride(std::int64_t width, int bitCount)
{
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

// Entries in the colour table of an image of 1, 4 or 8 bits: as many as the
// colour-count field says, all 2^bitCount when it says 0 or more than those.
inline std::size_t ColourTableEntries(std::uint32_t coloursUsed, int bitCount)
{
    const std::size_t fullTable = std::size_t{1} << bitCount;
    return coloursUsed == 0 || coloursUsed > fullTable ? fullTable : coloursUsed;
}
