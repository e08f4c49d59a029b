// The picture a part preview shows, as pure pixel logic: the base image
// decoded with its colour table, the mask scaled to the base's size and
// turned black and white, both halved when the base is wider than 160 or
// higher than 120, and the key colour wherever the mask is set.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "store/part_slot.h"

inline constexpr int PreviewMaxWidth = 160;
inline constexpr int PreviewMaxHeight = 120;

// Pixels are 0x00RRGGBB, rows top-down: the layout of a 32-bit top-down DIB.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes a slot's image (1, 4, 8, 24 or 32 bits per pixel, bottom-up or
// top-down rows). Empty when the image's rows would not fit in the slot, its
// sizes are not positive or its bit count is another one.
std::optional<RgbImage> DecodeSlotImage(const PartSlot &slot);

// The preview of a base and its mask. keyColour is a Windows COLORREF
// (0x00BBGGRR). A base that cannot be decoded gives an empty (0 x 0) picture;
// a mask that cannot be decoded counts as all black (the base shows whole).
RgbImage RenderPreviewPicture(const PartSlot &base, const PartSlot &mask, std::uint32_t keyColour);
// The same into picture, reusing its pixel buffer: once the buffer has held
// a picture as large, rendering allocates nothing.
void RenderPreviewPicture(const PartSlot &base, const PartSlot &mask, std::uint32_t keyColour,
                          RgbImage &picture);
// The same picture for a page that draws with transparency: its pixels are
// 0xAARRGGBB, 0 (transparent black) where the mask cuts out and opaque
// (alpha 0xFF) elsewhere.
void RenderPreviewWithAlpha(const PartSlot &base, const PartSlot &mask, RgbImage &picture);
