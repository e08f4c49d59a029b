// A 3 x 5 bitmap font of the digits 0-9, for slot numbers on pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/preview_picture.h"

inline constexpr int DigitWidth = 3;
inline constexpr int DigitHeight = 5;
inline constexpr int DigitSpacing = 1;

// Draws the digits of text (other characters leave a gap) with each font
// pixel scale x scale picture pixels, top-left at (left, top); pixels outside
// the picture are left out.
void DrawDigits(RgbImage &picture, int left, int top, std::string_view text, int scale, std::uint32_t colour);
