#include "preview_picture.h"

#include <array>
#include <climits>
#include <span>

#include "brightness.h"

namespace {

constexpr std::size_t MaxPaletteEntries = 256;
// A mask pixel counts as set when it is at least half bright.
// Sampled mask pixels are all ones where set, so that the key colour is
// blended in without a branch per pixel.
constexpr std::uint32_t MaskSet = 0xFFFFFFFF;
constexpr std::uint32_t MaskClear = 0;

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
        return BmpField::ColourTable;
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
    const std::uint64_t stride = BmpRowStride(width, bitCount);
    if (*offset > SlotSize || rows > (SlotSize - *offset) / stride)
        return std::nullopt;
    // At least one row fits in the slot, so the stride is below SlotSize and
    // fits a std::size_t of any width.
    return ImageLayout{width,   static_cast<int>(rows),          height < 0, bitCount,
                       *offset, static_cast<std::size_t>(stride)};
}

std::uint32_t ColourAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 | bytes[offset];
}

// For each palette index, the value a sampled pixel takes: its colour for a
// base, MaskSet or MaskClear for a mask.
using IndexTable = std::array<std::uint32_t, MaxPaletteEntries>;

template <class Convert>
IndexTable BuildIndexTable(const PartSlot &slot, const ImageLayout &layout, Convert convert)
{
    IndexTable table{};
    if (layout.bitCount <= 8) {
        const std::size_t entries = std::size_t{1} << layout.bitCount;
        for (std::size_t i = 0; i < entries; ++i)
            table[i] = convert(ColourAt(slot.bytes, BmpField::ColourTable + 4 * i));
    }
    return table;
}

const std::uint8_t *StoredRow(const PartSlot &slot, const ImageLayout &layout, int displayedRow)
{
    const int storedRow = layout.topDown ? displayedRow : layout.height - 1 - displayedRow;
    return slot.bytes.data() + layout.pixelOffset + static_cast<std::size_t>(storedRow) * layout.stride;
}

// Which source columns the pixels of a row come from: every step-th one, or
// those of a map (a mask scaled to another size).
struct SteppedColumns {
    int step;
    int operator[](std::size_t i) const { return static_cast<int>(i) * step; }
};
struct MappedColumns {
    const int *map;
    int operator[](std::size_t i) const { return map[i]; }
};

// Hands emit(i, value) the value of each of count pixels of a stored row:
// table[index] for a palette image, convert(colour) otherwise. The bit count
// is settled once per row so that the per-pixel loops stay tight.
template <class Columns, class Convert, class Emit>
void ForEachPixel(const std::uint8_t *row, int bitCount, const IndexTable &table, Columns columns,
                  std::size_t count, Convert convert, Emit emit)
{
    switch (bitCount) {
    case 1:
        for (std::size_t i = 0; i < count; ++i) {
            const int c = columns[i];
            emit(i, table[(row[c >> 3] >> (7 - (c & 7))) & 1]);
        }
        break;
    case 4:
        for (std::size_t i = 0; i < count; ++i) {
            const int c = columns[i];
            emit(i, table[(row[c >> 1] >> ((c & 1) ? 0 : 4)) & 0xF]);
        }
        break;
    case 8:
        for (std::size_t i = 0; i < count; ++i)
            emit(i, table[row[columns[i]]]);
        break;
    default: {
        const std::size_t bytesPerPixel = static_cast<std::size_t>(bitCount) / 8;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t *p = row + columns[i] * bytesPerPixel;
            emit(i, convert(static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 |
                            p[0]));
        }
        break;
    }
    }
}

// The one rule of what a mask cuts out: the pixels where it is set.
std::uint32_t MaskBit(std::uint32_t rgb)
{
    return IsAtLeastHalfBright(rgb) ? MaskSet : MaskClear;
}

std::uint32_t RgbFromColorref(std::uint32_t colorref)
{
    return (colorref & 0xFF) << 16 | (colorref & 0xFF00) | (colorref >> 16 & 0xFF);
}

// How the pixels of a picture are written: a shown pixel is its colour with
// the opaque bits, a cut-out pixel is the cut value.
struct PixelForm {
    std::uint32_t opaque;
    std::uint32_t cut;

    std::uint32_t operator()(std::uint32_t rgb) const { return rgb | opaque; }
};

constexpr std::uint32_t OpaqueAlpha = 0xFF000000;

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

template <class Columns>
void ApplyMaskRows(const PartSlot &mask, const ImageLayout &maskLayout, const ImageLayout &baseLayout,
                   int step, Columns columns, PixelForm form, RgbImage &picture)
{
    const IndexTable table = BuildIndexTable(mask, maskLayout, MaskBit);
    for (int y = 0; y < picture.height; ++y) {
        const int maskY = ScaledPosition(y * step, maskLayout.height, baseLayout.height);
        std::uint32_t *out = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        ForEachPixel(StoredRow(mask, maskLayout, maskY), maskLayout.bitCount, table, columns,
                     static_cast<std::size_t>(picture.width), MaskBit,
                     [out, cut = form.cut](std::size_t x, std::uint32_t set) {
                         out[x] = (out[x] & ~set) | (cut & set);
                     });
    }
}

// Wherever the mask, scaled to the base's size, is set, the cut value
// replaces the base pixel.
void ApplyMask(const PartSlot &mask, const ImageLayout &maskLayout, const ImageLayout &baseLayout, int step,
               PixelForm form, RgbImage &picture)
{
    if (maskLayout.width == baseLayout.width && maskLayout.height == baseLayout.height) {
        ApplyMaskRows(mask, maskLayout, baseLayout, step, SteppedColumns{step}, form, picture);
        return;
    }
    std::vector<int> map(static_cast<std::size_t>(picture.width));
    for (int x = 0; x < picture.width; ++x)
        map[static_cast<std::size_t>(x)] = ScaledPosition(x * step, maskLayout.width, baseLayout.width);
    ApplyMaskRows(mask, maskLayout, baseLayout, step, MappedColumns{map.data()}, form, picture);
}

// The base's pixels at every step-th column of every step-th row.
void SampleBase(const PartSlot &slot, const ImageLayout &layout, int step, PixelForm form, RgbImage &image)
{
    const IndexTable table = BuildIndexTable(slot, layout, form);
    for (int y = 0; y < image.height; ++y) {
        std::uint32_t *out = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        ForEachPixel(StoredRow(slot, layout, y * step), layout.bitCount, table, SteppedColumns{step},
                     static_cast<std::size_t>(image.width), form,
                     [out](std::size_t x, std::uint32_t colour) { out[x] = colour; });
    }
}

// The images the editor is made for: an 8-bit base and an 8-bit mask of the
// same size. Their pictures are built in one pass.
bool IsEightBitPair(const ImageLayout &base, const ImageLayout &mask)
{
    return base.bitCount == 8 && mask.bitCount == 8 && base.width == mask.width && base.height == mask.height;
}

void RenderEightBitPair(const PartSlot &base, const ImageLayout &baseLayout, const PartSlot &mask,
                        const ImageLayout &maskLayout, int step, PixelForm form, RgbImage &picture)
{
    const IndexTable colours = BuildIndexTable(base, baseLayout, form);
    const IndexTable set = BuildIndexTable(mask, maskLayout, MaskBit);
    const std::size_t width = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t *baseRow = StoredRow(base, baseLayout, y * step);
        const std::uint8_t *maskRow = StoredRow(mask, maskLayout, y * step);
        std::uint32_t *out = picture.pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t m = set[maskRow[x * step]];
            out[x] = (colours[baseRow[x * step]] & ~m) | (form.cut & m);
        }
    }
}

RgbImage EmptyImage(int width, int height)
{
    return {width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
}

// Gives the image a size; its pixels are all written afterwards.
void Reshape(RgbImage &image, int width, int height)
{
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * height);
}

// Both forms of the picture come from here, so that what is cut out is
// decided in one place.
void RenderInForm(const PartSlot &base, const PartSlot &mask, PixelForm form, RgbImage &picture)
{
    const std::optional<ImageLayout> baseLayout = LayoutOf(base);
    if (!baseLayout) {
        Reshape(picture, 0, 0);
        return;
    }
    const int step = IsHalved(*baseLayout) ? 2 : 1;
    Reshape(picture, baseLayout->width / step, baseLayout->height / step);
    const std::optional<ImageLayout> maskLayout = LayoutOf(mask);
    if (maskLayout && IsEightBitPair(*baseLayout, *maskLayout)) {
        RenderEightBitPair(base, *baseLayout, mask, *maskLayout, step, form, picture);
        return;
    }
    SampleBase(base, *baseLayout, step, form, picture);
    if (maskLayout)
        ApplyMask(mask, *maskLayout, *baseLayout, step, form, picture);
}

} // namespace

std::optional<RgbImage> DecodeSlotImage(const PartSlot &slot)
{
    const std::optional<ImageLayout> layout = LayoutOf(slot);
    if (!layout)
        return std::nullopt;
    RgbImage image = EmptyImage(layout->width, layout->height);
    SampleBase(slot, *layout, 1, PixelForm{0, 0}, image);
    return image;
}

RgbImage RenderPreviewPicture(const PartSlot &base, const PartSlot &mask, std::uint32_t keyColour)
{
    RgbImage picture;
    RenderPreviewPicture(base, mask, keyColour, picture);
    return picture;
}

void RenderPreviewPicture(const PartSlot &base, const PartSlot &mask, std::uint32_t keyColour,
                          RgbImage &picture)
{
    RenderInForm(base, mask, PixelForm{0, RgbFromColorref(keyColour)}, picture);
}

void RenderPreviewWithAlpha(const PartSlot &base, const PartSlot &mask, RgbImage &picture)
{
    RenderInForm(base, mask, PixelForm{OpaqueAlpha, 0}, picture);
}
