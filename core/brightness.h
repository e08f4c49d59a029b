// The one brightness rule of masks: a colour counts as bright when its
// brightness with the ITU-R BT.601 weights is at least half.
#pragma once

#include <cstdint>

// True when the colour 0x..RRGGBB (any top byte) is at least half bright.
inline constexpr bool IsAtLeastHalfBright(std::uint32_t rgb)
{
    // Weights in thousandths.
    constexpr std::uint32_t Red = 299;
    constexpr std::uint32_t Green = 587;
    constexpr std::uint32_t Blue = 114;
    constexpr std::uint32_t HalfBrightness = 255000 / 2;
    return Red * (rgb >> 16 & 0xFF) + Green * (rgb >> 8 & 0xFF) + Blue * (rgb & 0xFF) >= HalfBrightness;
}
