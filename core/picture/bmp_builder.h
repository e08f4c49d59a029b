// Builds whole BMP file images in memory, byte for byte as they lie in a
// file: the 14-byte file header, the 40-byte info header, the colour table
// and the pixel rows, each row padded to a multiple of 4 bytes. Used for the
// sample rooms and as a fixture builder by the tests.
#pragma once

#include <cstdint>
#include <vector>

struct BmpImage {
    int width = 0;
    int height = 0;
    // 1, 2, 4 or 8 (with a colour table of 2^bitCount entries), 24 or 32 (none).
    int bitCount = 8;
    // Rows stored top-down (negative height field) instead of bottom-up.
    bool topDown = false;
    // Colours as 0x00RRGGBB; missing entries up to 2^bitCount are black.
    std::vector<std::uint32_t> palette;
    // width x height values, row by row from the top row as displayed:
    // palette indices for 1 to 8 bits, 0x00RRGGBB colours for 24 and 32.
    // Missing values are 0.
    std::vector<std::uint32_t> pixels;
};

// The file image. For 1 to 8 bits the pixels begin right after the full
// colour table (byte 1078 for 8 bits), for 24 and 32 bits at byte 54.
std::vector<std::uint8_t> BuildBmpFile(const BmpImage &image);

// An 8-bit image from top-down palette indices: the form of every part image.
std::vector<std::uint8_t> BuildBmp8(int width, int height, const std::vector<std::uint32_t> &palette,
                                    const std::vector<std::uint8_t> &indices);
