// The one reader of BMP files, for pictures and part files alike: where a
// file's pixels and colours are and what they are. It reads info headers of
// 12, 16, 40, 52, 56, 64, 108 and 124 bytes; 1, 2, 4, 8, 16, 24 and 32 bits
// per pixel; uncompressed rows, RLE8, RLE4 and bit fields (with an alpha
// mask); rows top-down or bottom-up; colour tables full, short or absent
// (and skipped as a hint for 16 bits and more). The pixels are where the
// file header's pixel offset says. Nothing is read outside the file.
//
// What the file does not supply is defined: pixels the run-length data
// skips are index 0; an index past the file's colour table is black.
// Channels of fewer than 8 bits are widened by repeating their bits from
// the top (5 bits v give v << 3 | v >> 2); of more, their top 8 bits are
// kept. An alpha channel that is zero everywhere means an opaque picture,
// as writers that leave the fourth byte of 32-bit pixels unused have it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

// Where the parts of a BMP file lie, as its headers give them.
struct BmpLayout {
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::uint32_t rows = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::size_t tableStart = 0;
    std::size_t tableEntrySize = 0;
    // The colour count the headers give (1 to 8 bits), and how many of
    // those lie before the pixels.
    std::size_t declaredEntries = 0;
    std::size_t tableEntries = 0;
    std::size_t pixelOffset = 0;
    // Red, green, blue and alpha masks of 16- and 32-bit pixels; no alpha
    // mask is 0.
    std::array<std::uint32_t, 4> masks{};
};

enum class BmpFault {
    UnknownHeader,
    BadHeader,
    BadBitCount,
    BadCompression,
    BadMasks,
    BadOffset,
    CutShort,
    DamagedRuns,
};

// True when the bytes begin with the BMP signature.
bool IsBmpFile(std::span<const std::uint8_t> file);
// The layout, or why the headers cannot be read: unknown header sizes,
// impossible fields, bit counts or masks, pixels outside the file.
std::variant<BmpLayout, BmpFault> ReadBmpLayout(std::span<const std::uint8_t> file);
// The fault as the tail of a sentence of the tools' style.
std::string BmpFaultReason(BmpFault fault);

// The colour table of 2^bitCount entries (1 to 8 bits) as 0x00RRGGBB; the
// entries the file does not hold are black.
std::vector<std::uint32_t> BmpPalette(std::span<const std::uint8_t> file, const BmpLayout &layout);
// One colour-table index per pixel (1 to 8 bits), rows bottom-up. Empty when
// the run-length data ends before the image does. The caller bounds the
// size: width x rows bytes are taken.
std::optional<std::vector<std::uint8_t>> BmpIndices(std::span<const std::uint8_t> file,
                                                    const BmpLayout &layout);
// The pixels as 0xAARRGGBB, rows top-down; empty when the run-length data
// ends before the image does. The caller bounds the size.
std::optional<std::vector<std::uint32_t>> BmpColours(std::span<const std::uint8_t> file,
                                                     const BmpLayout &layout);
