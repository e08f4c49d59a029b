#include "digit_font.h"

#include <array>

namespace {

// Each digit as five rows of three bits, the top row first, the left pixel
// in the highest bit.
constexpr std::array<std::array<std::uint8_t, DigitHeight>, 10> DigitRows = {{
    {7, 5, 5, 5, 7}, // 0
    {2, 6, 2, 2, 7}, // 1
    {7, 1, 7, 4, 7}, // 2
    {7, 1, 7, 1, 7}, // 3
    {5, 5, 7, 1, 1}, // 4
    {7, 4, 7, 1, 7}, // 5
    {7, 4, 7, 5, 7}, // 6
    {7, 1, 1, 2, 2}, // 7
    {7, 5, 7, 5, 7}, // 8
    {7, 5, 7, 1, 7}, // 9
}};

void FillBlock(RgbImage &picture, int left, int top, int size, std::uint32_t colour)
{
    for (int y = top; y < top + size; ++y) {
        for (int x = left; x < left + size; ++x) {
            if (x >= 0 && y >= 0 && x < picture.width && y < picture.height) {
                picture.pixels[static_cast<std::size_t>(y) * picture.width + x] = colour;
            }
        }
    }
}

void DrawDigit(RgbImage &picture, int left, int top, int digit, int scale, std::uint32_t colour)
{
    for (int row = 0; row < DigitHeight; ++row) {
        for (int column = 0; column < DigitWidth; ++column) {
            if (DigitRows[digit][row] >> (DigitWidth - 1 - column) & 1) {
                FillBlock(picture, left + column * scale, top + row * scale, scale, colour);
            }
        }
    }
}

} // namespace

void DrawDigits(RgbImage &picture, int left, int top, std::string_view text, int scale, std::uint32_t colour)
{
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            DrawDigit(picture, left, top, c - '0', scale, colour);
        }
        left += (DigitWidth + DigitSpacing) * scale;
    }
}
