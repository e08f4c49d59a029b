#include "preview_picture.h"

#include <array>
#include <climits>
#include <span>

namespace {

constexpr std::size_t ColourTableOffset = BmpFileHeaderSize + BmpInfoHeaderSize;
constexpr std::size_t MaxPaletteEntries = 256;
// A mask pixel counts as set when its brightness is at least half.
constexpr std::uint32_t BrightnessRed = 299;
constexpr std::uint32_t BrightnessGreen = 587;
constexpr std::uint32_t BrightnessBlue = 114;
constexpr std::uint32_t HalfBrightness = 255000 / 2;

// Where a slot's pixels are and how to read them, checked once against the
// slot so that every later read stays inside it.
struct ImageLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;
};

bool IsSupportedBitCount(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

std::optional<std::size_t> PixelArrayOffset(const PartSlot &slot, int bitCount)
{
    if (bitCount > 8)
        return ColourTableOffset;
    return PixelBitsOffset(slot);
}

std::optional<ImageLayout> LayoutOf(const PartSlot &slot)
{
    const std::int32_t width = Width(slot);
    const std::int32_t height = Height(slot);
    const int bitCount = BitCount(slot);
    if (width <= 0 || height == 0 || height == INT_MIN || !IsSupportedBitCount(bitCount))
        return std::nullopt;
    const std::optional<std::size_t> offset = PixelArrayOffset(slot, bitCount);
    if (!offset)
        return std::nullopt;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    if (*offset > SlotSize || rows > (SlotSize - *offset) / stride)
        return std::nullopt;
    return ImageLayout{width, static_cast<int>(rows), height < 0, bitCount, *offset, stride};
}

std::uint32_t ColourAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 | bytes[offset];
}

// For each palette index, the value a sampled pixel takes: its colour for a
// base, 0 or 1 for a mask.
using IndexTable = std::array<std::uint32_t, MaxPaletteEntries>;

template <class Convert>
IndexTable BuildIndexTable(const PartSlot &slot, const ImageLayout &layout, Convert convert)
{
    IndexTable table{};
    if (layout.bitCount <= 8) {
        const std::size_t entries = std::size_t{1} << layout.bitCount;
        for (std::size_t i = 0; i < entries; ++i)
            table[i] = convert(ColourAt(slot.bytes, ColourTableOffset + 4 * i));
    }
    return table;
}

const std::uint8_t *StoredRow(const PartSlot &slot, const ImageLayout &layout, int displayedRow)
{
    const int storedRow = layout.topDown ? displayedRow : layout.height - 1 - displayedRow;
    return slot.bytes.data() + layout.pixelOffset + static_cast<std::size_t>(storedRow) * layout.stride;
}

// Writes convert(pixel) for the given columns of one displayed row. The bit
// count is settled once per row so that the per-pixel loops stay tight.
template <class Convert>
void SampleRow(const PartSlot &slot, const ImageLayout &layout, const IndexTable &table, int displayedRow,
               std::span<const int> columns, std::uint32_t *out, Convert convert)
{
    const std::uint8_t *row = StoredRow(slot, layout, displayedRow);
    const std::size_t count = columns.size();
    switch (layout.bitCount) {
    case 1:
        for (std::size_t i = 0; i < count; ++i) {
            const int c = columns[i];
            out[i] = table[(row[c >> 3] >> (7 - (c & 7))) & 1];
        }
        break;
    case 4:
        for (std::size_t i = 0; i < count; ++i) {
            const int c = columns[i];
            out[i] = table[(row[c >> 1] >> ((c & 1) ? 0 : 4)) & 0xF];
        }
        break;
    case 8:
        for (std::size_t i = 0; i < count; ++i)
            out[i] = table[row[columns[i]]];
        break;
    default: {
        const std::size_t bytesPerPixel = static_cast<std::size_t>(layout.bitCount) / 8;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t *p = row + columns[i] * bytesPerPixel;
            out[i] = convert(static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 |
                             p[0]);
        }
        break;
    }
    }
}

std::uint32_t SameColour(std::uint32_t rgb)
{
    return rgb;
}

std::uint32_t MaskBit(std::uint32_t rgb)
{
    const std::uint32_t brightness = BrightnessRed * (rgb >> 16 & 0xFF) +
                                     BrightnessGreen * (rgb >> 8 & 0xFF) + BrightnessBlue * (rgb & 0xFF);
    return brightness >= HalfBrightness ? 1 : 0;
}

std::uint32_t RgbFromColorref(std::uint32_t colorref)
{
    return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

std::vector<int> EveryColumn(int count, int step)
{
    std::vector<int> columns(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        columns[static_cast<std::size_t>(i)] = i * step;
    return columns;
}

// Nearest source pixel of a mask of maskSize for base position position of
// baseSize.
int ScaledPosition(int position, int maskSize, int baseSize)
{
    return static_cast<int>(static_cast<std::int64_t>(position) * maskSize / baseSize);
}

bool IsHalved(const ImageLayout &base)
{
    return base.width > PreviewMaxWidth || base.height > PreviewMaxHeight;
}

void ApplyMask(const PartSlot &mask, const ImageLayout &maskLayout, const ImageLayout &baseLayout, int step,
               std::uint32_t key, RgbImage &picture)
{
    const IndexTable table = BuildIndexTable(mask, maskLayout, MaskBit);
    std::vector<int> columns(static_cast<std::size_t>(picture.width));
    for (int x = 0; x < picture.width; ++x)
        columns[static_cast<std::size_t>(x)] = ScaledPosition(x * step, maskLayout.width, baseLayout.width);
    std::vector<std::uint32_t> maskRow(columns.size());
    for (int y = 0; y < picture.height; ++y) {
        const int maskY = ScaledPosition(y * step, maskLayout.height, baseLayout.height);
        SampleRow(mask, maskLayout, table, maskY, columns, maskRow.data(), MaskBit);
        std::uint32_t *out = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        for (std::size_t x = 0; x < maskRow.size(); ++x)
            if (maskRow[x])
                out[x] = key;
    }
}

} // namespace

std::optional<RgbImage> DecodeSlotImage(const PartSlot &slot)
{
    const std::optional<ImageLayout> layout = LayoutOf(slot);
    if (!layout)
        return std::nullopt;
    RgbImage image{layout->width, layout->height,
                   std::vector<std::uint32_t>(static_cast<std::size_t>(layout->width) * layout->height)};
    const IndexTable table = BuildIndexTable(slot, *layout, SameColour);
    const std::vector<int> columns = EveryColumn(layout->width, 1);
    for (int y = 0; y < layout->height; ++y)
        SampleRow(slot, *layout, table, y, columns,
                  image.pixels.data() + static_cast<std::size_t>(y) * image.width, SameColour);
    return image;
}

RgbImage RenderPreviewPicture(const PartSlot &base, const PartSlot &mask, std::uint32_t keyColour)
{
    const std::optional<ImageLayout> baseLayout = LayoutOf(base);
    if (!baseLayout)
        return {};
    const int step = IsHalved(*baseLayout) ? 2 : 1;
    RgbImage picture{baseLayout->width / step, baseLayout->height / step, {}};
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);

    const IndexTable table = BuildIndexTable(base, *baseLayout, SameColour);
    const std::vector<int> columns = EveryColumn(picture.width, step);
    for (int y = 0; y < picture.height; ++y)
        SampleRow(base, *baseLayout, table, y * step, columns,
                  picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, SameColour);

    if (const std::optional<ImageLayout> maskLayout = LayoutOf(mask))
        ApplyMask(mask, *maskLayout, *baseLayout, step, RgbFromColorref(keyColour), picture);
    return picture;
}
