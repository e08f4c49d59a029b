// Reading PNG, JPEG, GIF, TGA and BMP images and writing PNG images, through
// the stb image libraries; BMP files through the project's own BMP reader
// (core/bmp_reader.h), which part files take too.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/preview_picture.h"

// Pixels 0xAARRGGBB, rows top-down.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct ImageSize {
    int width = 0;
    int height = 0;
};

// Pixels as bytes R, G, B, A, one pixel after the other, and back.
std::vector<std::uint8_t> RgbaBytes(const std::vector<std::uint32_t> &pixels);
std::vector<std::uint32_t> PixelsOfRgbaBytes(const std::uint8_t *bytes, std::size_t count);

// The length of a side an image announces, without its sign.
int AbsoluteSide(int side);

// The size an image file announces, without decoding its pixels. Empty when
// the bytes are not an image of a known kind; throws a PictureError for a
// file that the decoders must not be given (see decoder_guards.h).
std::optional<ImageSize> ProbeImageSize(std::span<const std::uint8_t> file);
// The decoded image (the first frame of an animated GIF). Throws a
// PictureError with the decoder's reason when it cannot be decoded.
RgbaImage DecodeImage(std::span<const std::uint8_t> file);
// A PNG file of the picture.
std::vector<std::uint8_t> EncodePng(const RgbImage &picture);
// A PNG file with an alpha channel, as painting programs save pictures with
// transparency.
std::vector<std::uint8_t> EncodePng(const RgbaImage &picture);
