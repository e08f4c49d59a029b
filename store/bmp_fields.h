// The fields of a BMP file that the editor and its tools read and write:
// their byte positions from the file's first byte (little-endian), and the
// sizes of the two headers.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t BmpFileHeaderSize = 14;
inline constexpr std::size_t BmpInfoHeaderSize = 40;
// Colour table entries: blue, green, red and a reserved byte.
inline constexpr std::size_t BmpColourEntrySize = 4;

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
// The colour table after a 40-byte info header.
inline constexpr std::size_t ColourTable = BmpFileHeaderSize + BmpInfoHeaderSize;
} // namespace BmpField
