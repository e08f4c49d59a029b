// Pictures too large for a slot made smaller: the largest size with the
// picture's proportions whose 8-bit file fits a slot, and good-quality
// down-scaling to it (stb_image_resize: Mitchell filter, sRGB-correct,
// alpha-weighted so that cut-out pixels do not bleed into kept ones).
#pragma once

#include "image_codec.h"

// The largest size with (about) the proportions of the given one whose 8-bit
// file fits a slot; the longer side decides, the shorter one is rounded and
// never below 1.
ImageSize FittingSize(const ImageSize &size);

// The picture scaled down to the size. Throws a PictureTooLargeError when
// the scaling would take more memory than decoding may, or too long.
RgbaImage ShrinkPicture(const RgbaImage &picture, const ImageSize &size);
