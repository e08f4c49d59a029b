// Little-endian fields written into the file images that the core tests
// build; a field outside the image is a fault of the test.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

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
