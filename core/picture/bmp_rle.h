// Run-length encoded BMP files (8 and 4 bits per pixel), which many tools
// write for images of few colours and which the stb decoder does not read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "image_codec.h"

// True when the bytes are a BMP file with RLE8 or RLE4 compression.
bool IsRleBmp(std::span<const std::uint8_t> file);
// The size the file's info header announces.
ImageSize RleBmpSize(std::span<const std::uint8_t> file);
// The decoded pixels, opaque; pixels the run data skips are palette entry 0.
// Throws a PictureError when the file is damaged.
RgbaImage DecodeRleBmp(std::span<const std::uint8_t> file);
