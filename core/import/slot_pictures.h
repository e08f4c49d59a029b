// The part files one slot gets from its dropped pictures, made exactly as
// "tavipac convert" makes them: the picture as an 8-bit part, and its mask
// from the mask picture (as "convert --mask" does), else from the picture's
// transparency (opaque black, cut out white). Pure: bytes in, bytes out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/picture/part_conversion.h"
#include "store/part_slot.h"

using FileBytes = std::vector<std::uint8_t>;

// Nothing where the slot's current file stays: no picture, or no mask
// picture and no transparency.
struct SlotPartFiles {
    std::optional<FileBytes> base;
    std::optional<FileBytes> mask;
};

// The files made for each slot of a drop, by slot; nothing for the others.
using GroupConversions = std::array<std::optional<SlotPartFiles>, SlotCount>;

// Each throws a PictureError (a PictureTooLargeError for pictures too
// large) when the file is no picture that can be converted.
// The part file of a picture, with the mask of its transparency if any.
SlotPartFiles ConvertPicture(std::span<const std::uint8_t> picture, Oversize oversize);
// The mask file of a mask picture.
FileBytes ConvertMaskPicture(std::span<const std::uint8_t> maskPicture, Oversize oversize);
