// Reduces a picture to at most 256 colours: exactly when it has no more,
// otherwise by median cut refined with a few rounds of k-means, optionally
// with Floyd-Steinberg dithering.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr std::size_t PaletteCapacity = 256;

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB, at most 256
    std::vector<std::uint8_t> indices;  // rows top-down
};

// pixels are 0x??RRGGBB, rows top-down; the top byte is ignored.
IndexedPicture QuantisePicture(int width, int height, const std::vector<std::uint32_t> &pixels, bool dither);
