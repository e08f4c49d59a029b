// Images of any kind turned into part files the editor accepts: 8-bit BMP
// files with a 40-byte info header, a full 256-entry colour table, pixels at
// byte 1078 and rows stored bottom-up, small enough for a slot.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image_codec.h"

// The largest picture file that is read at all.
inline constexpr std::size_t LargestPictureFile = 64 * 1024 * 1024;

// The size of the 8-bit BMP file of a width x height image.
std::uint64_t EightBitFileSize(int width, int height);
// Whether an image of that size has pixels and its 8-bit file fits a slot.
bool FitsSlot(const ImageSize &size);
// Throws a PictureError, naming the largest size that fits, when the 8-bit
// file of an image of that size would not fit a slot.
void RequireFitsSlot(const ImageSize &size);

// What becomes of a picture whose 8-bit file would not fit a slot.
enum class Oversize {
    Refuse, // a PictureError naming the largest size that fits
    Shrink  // scaled down to FittingSize, if its pixels can be decoded at all
};

// The picture of an image file, decoded only once its announced size is
// known to fit a slot (or, to be shrunk, to fit the decoding budget).
// Nothing when the bytes are not a PNG, JPEG, GIF, TGA or BMP image; throws a
// PictureError when the image is too large or cannot be decoded.
std::optional<RgbaImage> DecodePartPicture(std::span<const std::uint8_t> file,
                                           Oversize oversize = Oversize::Refuse);

// The picture with its own colours when it has at most 256, else quantised.
std::vector<std::uint8_t> BuildPartFile(const RgbaImage &image, bool dither);

// How a mask is made: cut-out pixels become white, kept pixels black.
struct MaskRule {
    // Cut out the pixels of exactly this colour (0x00RRGGBB).
    std::optional<std::uint32_t> keyColour;
};
// Whether any pixel is less than half opaque.
bool HasTransparency(const RgbaImage &image);
// Without a key colour: pixels less than half opaque are cut out; an image
// without such pixels is taken as a mask picture itself, its bright pixels
// (at least half brightness) cut out.
std::vector<std::uint8_t> BuildMaskFile(const RgbaImage &image, const MaskRule &rule);
