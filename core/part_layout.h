// Part files in the layout the slots hold. Painting programs write 8-bit BMP
// files in other layouts too: the OS/2 headers (12, 16 and 64 bytes), larger
// info headers (version 4 and 5), a colour table shorter than the full one,
// rows stored top-down, pixels run-length encoded (RLE8, RLE4), pixels
// elsewhere than after the table. A file of 1 to 8 bits that the BMP reader
// (bmp_reader.h) reads is made into the slot layout: a
// 14-byte file header, a 40-byte info header without compression, the full
// colour table of 2^bitCount entries and the pixel rows bottom-up, each
// padded to four bytes; the same picture, pixel for pixel, with the same bit
// count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "store/part_slot.h"

// The most of a part file that is read. Run-length data can take about four
// times the bytes of the pixels it stands for (a run for each 4-bit pixel).
inline constexpr std::size_t LargestPartFile = 4 * SlotSize;

// The file's bytes as a slot takes them. A file in another layout that can
// be read comes back converted, its file-size field its length; every other
// file, whether in the slot layout already, damaged or of a layout not read,
// comes back as it is. Empty when the converted image would not fit a slot.
std::optional<std::vector<std::uint8_t>> InSlotLayout(std::vector<std::uint8_t> file);
