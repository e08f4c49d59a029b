// The pixel data of run-length encoded BMP files (RLE8 and RLE4), which many
// tools write for images of few colours: decoded to palette indices, shared
// by the picture decoder and the conversion of part files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One palette index per pixel, width x height, rows bottom-up as stored.
// Pixels the runs skip are index 0; runs past the end of a row or below the
// last row are cut off. Empty when the data ends before the image does.
// width and height are positive.
std::optional<std::vector<std::uint8_t>> DecodeBmpRuns(std::span<const std::uint8_t> runs, int width,
                                                       int height, bool fourBit);
