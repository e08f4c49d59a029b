#include "contact_sheet.h"

#include <algorithm>

#include "digit_font.h"
#include "core/slot_map.h"
#include "core/two_digits.h"

namespace {

constexpr int Columns = 4;
constexpr int Rows = SlotCount / Columns;
constexpr int BoxWidth = PreviewMaxWidth;
constexpr int BoxHeight = PreviewMaxHeight;
constexpr int Margin = 8;
constexpr int Gap = 6;
constexpr int LabelScale = 2;
constexpr int LabelHeight = DigitHeight * LabelScale + 4;
constexpr int CellWidth = Margin + BoxWidth + Gap + BoxWidth + Margin;
constexpr int CellHeight = Margin + LabelHeight + BoxHeight + Margin;
constexpr std::uint32_t SheetColour = 0x202020;
constexpr std::uint32_t CellColour = 0x383838;
constexpr int CellBorder = 2;
constexpr std::uint32_t BoxColour = 0x505050;
constexpr std::uint32_t LabelColour = 0xFFFFFF;
constexpr std::uint32_t CrossColour = 0xE03030;

void Fill(RgbImage &sheet, int left, int top, int width, int height, std::uint32_t colour)
{
    for (int y = top; y < top + height; ++y) {
        std::fill_n(sheet.pixels.begin() + static_cast<std::ptrdiff_t>(y) * sheet.width + left, width,
                    colour);
    }
}

// Draws the image into the box at (left, top), shrunk by the smallest whole
// factor that makes it fit; each shown pixel is the image pixel at (k x, k y),
// as the editor's halving picks them.
void DrawThumbnail(RgbImage &sheet, int left, int top, const RgbImage &image)
{
    const int factor =
        std::max({1, (image.width + BoxWidth - 1) / BoxWidth, (image.height + BoxHeight - 1) / BoxHeight});
    const int width = image.width / factor;
    const int height = image.height / factor;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            sheet.pixels[static_cast<std::size_t>(top + y) * sheet.width + left + x] =
                image.At(factor * x, factor * y);
        }
    }
}

void DrawCross(RgbImage &sheet, int left, int top)
{
    for (int i = 0; i < BoxHeight; ++i) {
        const int x = i * BoxWidth / BoxHeight;
        for (int thickness = 0; thickness < 2; ++thickness) {
            const int column = std::min(x + thickness, BoxWidth - 1);
            sheet.pixels[static_cast<std::size_t>(top + i) * sheet.width + left + column] = CrossColour;
            sheet.pixels[static_cast<std::size_t>(top + i) * sheet.width + left + BoxWidth - 1 - column] =
                CrossColour;
        }
    }
}

void DrawImageBox(RgbImage &sheet, int left, int top, const PartSlot &slot, int number)
{
    DrawDigits(sheet, left, top, TwoDigits(number), LabelScale, LabelColour);
    const int boxTop = top + LabelHeight;
    Fill(sheet, left, boxTop, BoxWidth, BoxHeight, BoxColour);
    if (const std::optional<RgbImage> image = DecodeSlotImage(slot)) {
        DrawThumbnail(sheet, left, boxTop, *image);
    } else {
        DrawCross(sheet, left, boxTop);
    }
}

} // namespace

RgbImage BuildContactSheet(const PartBank &bases, const PartBank &masks)
{
    RgbImage sheet{Columns * CellWidth, Rows * CellHeight, {}};
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * sheet.height, SheetColour);
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int cellLeft = slot % Columns * CellWidth;
        const int cellTop = slot / Columns * CellHeight;
        Fill(sheet, cellLeft + CellBorder, cellTop + CellBorder, CellWidth - 2 * CellBorder,
             CellHeight - 2 * CellBorder, CellColour);
        const int left = cellLeft + Margin;
        const int top = cellTop + Margin;
        const auto index = static_cast<std::size_t>(slot);
        DrawImageBox(sheet, left, top, bases[index], slot);
        DrawImageBox(sheet, left + BoxWidth + Gap, top, masks[index], MaskNumber(slot));
    }
    return sheet;
}
