// Pieces of the BMP file images that the core tests build: little-endian
// fields written into them (a field outside the image is a fault of the
// test) and run-length pixel data.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/picture/bmp_builder.h"

// Copied rather than stored byte by byte: MinGW's GCC at -O3 takes indexed
// stores into a vector it cannot size for overflows.
inline void PutLittleEndian(std::vector<std::uint8_t> &bytes, std::size_t offset, std::size_t value,
                            std::size_t width)
{
    std::uint8_t field[4] = {};
    for (std::size_t i = 0; i < width && i < sizeof field; ++i)
        field[i] = static_cast<std::uint8_t>(value >> (8 * i));
    if (width > sizeof field || offset > bytes.size() || width > bytes.size() - offset)
        throw std::out_of_range("field outside the file image");
    std::copy_n(field, width, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

inline void PutU32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::size_t value)
{
    PutLittleEndian(bytes, offset, value, 4);
}

inline void PutU16(std::vector<std::uint8_t> &bytes, std::size_t offset, std::size_t value)
{
    PutLittleEndian(bytes, offset, value, 2);
}

// Run-length encoded as ImageMagick does it: runs of one index, each row
// ended by a run of index 0 past its end (over the row padding).
inline std::vector<std::uint8_t> Runs(const BmpImage &image)
{
    const bool fourBit = image.bitCount == 4;
    std::vector<std::uint8_t> runs;
    for (int y = image.height - 1; y >= 0; --y) {
        const auto row = image.pixels.begin() + y * image.width;
        for (auto at = row; at != row + image.width;) {
            const auto end = std::find_if(at, row + image.width, [&](std::uint32_t i) { return i != *at; });
            runs.push_back(static_cast<std::uint8_t>(end - at));
            runs.push_back(static_cast<std::uint8_t>(fourBit ? *at << 4 | *at : *at));
            at = end;
        }
        runs.insert(runs.end(), {3, 0, 0, 0});
    }
    runs.insert(runs.end(), {0, 1});
    return runs;
}
