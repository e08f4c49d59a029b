#include "bmp_reader.h"

#include <algorithm>
#include <bit>
#include <climits>

#include "bmp_runs.h"
#include "store/bmp_fields.h"
#include "store/byte_reader.h"

namespace {

constexpr std::array<std::uint32_t, 8> ReadInfoSizes = {
    BmpInfoSize::Core,      BmpInfoSize::Os2Short, BmpInfoSize::Info,     BmpInfoSize::ColourMasks,
    BmpInfoSize::AlphaMask, BmpInfoSize::Os2,      BmpInfoSize::Version4, BmpInfoSize::Version5};
constexpr std::uint16_t PlaneCount = 1;
constexpr std::uint32_t Opaque = 0xFF000000;
constexpr int LargestIndexedBitCount = 8;
constexpr std::size_t MaskSize = 4;
constexpr std::size_t AlphaChannel = 3;

// The masks of uncompressed pixels: 5 bits a channel at 16 bits, bytes at
// 24 and 32 bits (the fourth byte alpha).
constexpr std::array<std::uint32_t, 4> Masks16 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr std::array<std::uint32_t, 4> Masks24 = {0xFF0000, 0x00FF00, 0x0000FF, 0};
constexpr std::array<std::uint32_t, 4> Masks32 = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};

// The fields every info header has, wherever it keeps them; the 12- and
// 16-byte headers have no compression and no colour count.
struct HeaderFields {
    std::int64_t width;
    std::int64_t height;
    std::uint16_t planes;
    int bitCount;
    std::uint32_t compression;
    std::uint32_t coloursUsed;
};

HeaderFields ReadHeaderFields(std::span<const std::uint8_t> file, std::uint32_t infoSize)
{
    if (infoSize == BmpInfoSize::Core) {
        return {ReadU16LE(file, BmpField::CoreWidth),
                ReadU16LE(file, BmpField::CoreHeight),
                ReadU16LE(file, BmpField::CorePlanes),
                ReadU16LE(file, BmpField::CoreBitCount),
                BmpCompression::None,
                0};
    }
    const bool hasCompression = infoSize >= BmpInfoSize::Info;
    return {ReadI32LE(file, BmpField::Width),
            ReadI32LE(file, BmpField::Height),
            ReadU16LE(file, BmpField::Planes),
            ReadU16LE(file, BmpField::BitCount),
            hasCompression ? ReadU32LE(file, BmpField::Compression) : BmpCompression::None,
            hasCompression ? ReadU32LE(file, BmpField::ColoursUsed) : 0};
}

bool IsBitCount(int bitCount)
{
    switch (bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: return true;
    }
    return false;
}

bool HasBitfields(std::uint32_t compression)
{
    return compression == BmpCompression::Bitfields || compression == BmpCompression::AlphaBitfields;
}

// The OS/2 2.x header gives the values of bit fields other meanings
// (Huffman and 24-bit runs), which are not read.
bool TakesCompression(std::uint32_t infoSize, int bitCount, std::uint32_t compression)
{
    switch (compression) {
    case BmpCompression::None: return true;
    case BmpCompression::Rle8: return bitCount == 8;
    case BmpCompression::Rle4: return bitCount == 4;
    case BmpCompression::Bitfields:
    case BmpCompression::AlphaBitfields:
        return (bitCount == 16 || bitCount == 32) && infoSize != BmpInfoSize::Os2;
    }
    return false;
}

// The masks after a 40-byte header: three, four with the alpha mask.
std::size_t MasksAfterHeader(std::uint32_t infoSize, std::uint32_t compression)
{
    if (infoSize != BmpInfoSize::Info || !HasBitfields(compression)) {
        return 0;
    }
    return compression == BmpCompression::AlphaBitfields ? 4 : 3;
}

std::array<std::uint32_t, 4> ReadMasks(std::span<const std::uint8_t> file, std::uint32_t infoSize,
                                       int bitCount, std::uint32_t compression)
{
    if (!HasBitfields(compression)) {
        return bitCount == 16 ? Masks16 : bitCount == 24 ? Masks24 : Masks32;
    }
    const bool hasAlpha = infoSize >= BmpInfoSize::AlphaMask || MasksAfterHeader(infoSize, compression) == 4;
    std::array<std::uint32_t, 4> masks{};
    for (std::size_t i = 0; i < masks.size(); ++i) {
        masks[i] = i == AlphaChannel && !hasAlpha ? 0 : ReadU32LE(file, BmpField::RedMask + MaskSize * i);
    }
    return masks;
}

// A mask is one run of bits inside the pixel.
bool IsMask(std::uint32_t mask, int bitCount)
{
    if (mask == 0) {
        return false;
    }
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0 && (bitCount == 32 || mask >> bitCount == 0);
}

bool MasksFit(const std::array<std::uint32_t, 4> &masks, int bitCount)
{
    return std::all_of(masks.begin(), masks.begin() + AlphaChannel,
                       [&](std::uint32_t mask) { return IsMask(mask, bitCount); }) &&
           (masks[AlphaChannel] == 0 || IsMask(masks[AlphaChannel], bitCount));
}

std::uint64_t RowBytes(const BmpLayout &layout)
{
    return (static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.bitCount) + 7) / 8;
}

// Rows stored as they are (uncompressed or bit fields) lie in the file; the
// last may lack its padding.
bool RowsLieInFile(const BmpLayout &layout, std::size_t fileSize)
{
    const std::uint64_t available = fileSize - layout.pixelOffset;
    const std::uint64_t lastRow = RowBytes(layout);
    return available >= lastRow &&
           (available - lastRow) / BmpRowStride(layout.width, layout.bitCount) >= layout.rows - 1;
}

std::optional<BmpFault> FieldFault(const HeaderFields &fields, std::uint32_t infoSize)
{
    if (fields.planes != PlaneCount || fields.width <= 0 || fields.height == 0 || fields.height == INT_MIN) {
        return BmpFault::BadHeader;
    }
    if (!IsBitCount(fields.bitCount)) {
        return BmpFault::BadBitCount;
    }
    if (!TakesCompression(infoSize, fields.bitCount, fields.compression)) {
        return BmpFault::BadCompression;
    }
    // Run-length encoded rows are always stored bottom-up.
    if (fields.height < 0 &&
        (fields.compression == BmpCompression::Rle8 || fields.compression == BmpCompression::Rle4)) {
        return BmpFault::BadHeader;
    }
    return std::nullopt;
}

BmpLayout LayoutOf(std::span<const std::uint8_t> file, std::uint32_t infoSize, const HeaderFields &fields)
{
    BmpLayout layout;
    layout.infoSize = infoSize;
    layout.width = static_cast<std::int32_t>(fields.width);
    layout.rows = static_cast<std::uint32_t>(fields.height < 0 ? -fields.height : fields.height);
    layout.topDown = fields.height < 0;
    layout.bitCount = fields.bitCount;
    layout.compression = fields.compression;
    layout.tableStart =
        BmpFileHeaderSize + infoSize + MaskSize * MasksAfterHeader(infoSize, fields.compression);
    layout.tableEntrySize = infoSize == BmpInfoSize::Core ? BmpCoreColourEntrySize : BmpColourEntrySize;
    if (fields.bitCount <= LargestIndexedBitCount) {
        layout.declaredEntries = infoSize == BmpInfoSize::Core
                                     ? std::size_t{1} << fields.bitCount
                                     : ColourTableEntries(fields.coloursUsed, fields.bitCount);
    } else {
        layout.masks = ReadMasks(file, infoSize, fields.bitCount, fields.compression);
    }
    layout.pixelOffset = ReadU32LE(file, BmpField::PixelOffset);
    return layout;
}

// The colour table and the pixels lie in the file, in that order.
std::optional<BmpFault> PlacementFault(BmpLayout &layout, std::size_t fileSize)
{
    if (layout.tableStart > fileSize) {
        return BmpFault::CutShort;
    }
    if (layout.pixelOffset < layout.tableStart) {
        return BmpFault::BadOffset;
    }
    if (layout.pixelOffset > fileSize) {
        return BmpFault::CutShort;
    }
    layout.tableEntries =
        std::min(layout.declaredEntries, (layout.pixelOffset - layout.tableStart) / layout.tableEntrySize);
    const bool runLength =
        layout.compression == BmpCompression::Rle8 || layout.compression == BmpCompression::Rle4;
    if (!runLength && !RowsLieInFile(layout, fileSize)) {
        return BmpFault::CutShort;
    }
    return std::nullopt;
}

// Bottom-up row y as stored.
std::size_t StoredRow(const BmpLayout &layout, std::uint32_t y)
{
    return layout.topDown ? layout.rows - 1 - y : y;
}

void UnpackRow(const std::uint8_t *row, const BmpLayout &layout, std::uint8_t *indices)
{
    const auto width = static_cast<std::size_t>(layout.width);
    const auto bits = static_cast<unsigned>(layout.bitCount);
    if (bits == 8) {
        std::copy_n(row, width, indices);
        return;
    }
    const unsigned valueMask = (1u << bits) - 1;
    for (std::size_t x = 0; x < width; ++x) {
        const std::size_t bit = x * bits;
        indices[x] = static_cast<std::uint8_t>(row[bit / 8] >> (8 - bits - bit % 8) & valueMask);
    }
}

std::optional<std::vector<std::uint32_t>> IndexedColours(std::span<const std::uint8_t> file,
                                                         const BmpLayout &layout)
{
    const std::optional<std::vector<std::uint8_t>> indices = BmpIndices(file, layout);
    if (!indices) {
        return std::nullopt;
    }
    const std::vector<std::uint32_t> palette = BmpPalette(file, layout);
    const auto width = static_cast<std::size_t>(layout.width);
    std::vector<std::uint32_t> colours(indices->size());
    for (std::size_t y = 0; y < layout.rows; ++y) {
        const std::uint8_t *row = indices->data() + (layout.rows - 1 - y) * width;
        std::transform(row, row + width, colours.begin() + static_cast<std::ptrdiff_t>(y * width),
                       [&](std::uint8_t index) { return Opaque | palette[index]; });
    }
    return colours;
}

// A channel of width bits made 8 bits wide.
std::uint32_t Widen(std::uint32_t value, int width)
{
    if (width >= 8) {
        return value >> (width - 8);
    }
    std::uint32_t widened = 0;
    for (int shift = 8 - width; shift > -width; shift -= width) {
        widened |= shift >= 0 ? value << shift : value >> -shift;
    }
    return widened & 0xFF;
}

std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask)
{
    return Widen((pixel & mask) >> std::countr_zero(mask), std::popcount(mask));
}

std::uint32_t PixelAt(const std::uint8_t *at, std::size_t bytes)
{
    std::uint32_t pixel = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        pixel |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    }
    return pixel;
}

std::vector<std::uint32_t> MaskedColours(std::span<const std::uint8_t> file, const BmpLayout &layout)
{
    const auto width = static_cast<std::size_t>(layout.width);
    const std::size_t pixelBytes = static_cast<std::size_t>(layout.bitCount) / 8;
    const std::size_t stride = BmpRowStride(layout.width, layout.bitCount);
    const std::array<std::uint32_t, 4> &masks = layout.masks;
    std::vector<std::uint32_t> colours(width * layout.rows);
    std::uint32_t anyAlpha = 0;
    for (std::uint32_t y = 0; y < layout.rows; ++y) {
        const std::uint8_t *row =
            file.data() + layout.pixelOffset + StoredRow(layout, layout.rows - 1 - y) * stride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = PixelAt(row + x * pixelBytes, pixelBytes);
            const std::uint32_t alpha = masks[AlphaChannel] == 0 ? 0xFF : Channel(pixel, masks[AlphaChannel]);
            anyAlpha |= alpha;
            colours[y * width + x] = alpha << 24 | Channel(pixel, masks[0]) << 16 |
                                     Channel(pixel, masks[1]) << 8 | Channel(pixel, masks[2]);
        }
    }
    if (anyAlpha == 0) {
        std::for_each(colours.begin(), colours.end(), [](std::uint32_t &colour) { colour |= Opaque; });
    }
    return colours;
}

} // namespace

bool IsBmpFile(std::span<const std::uint8_t> file)
{
    return file.size() >= 2 && file[0] == 'B' && file[1] == 'M';
}

std::variant<BmpLayout, BmpFault> ReadBmpLayout(std::span<const std::uint8_t> file)
{
    const std::uint32_t infoSize = ReadU32LE(file, BmpField::InfoSize);
    if (!IsBmpFile(file) ||
        std::find(ReadInfoSizes.begin(), ReadInfoSizes.end(), infoSize) == ReadInfoSizes.end()) {
        return BmpFault::UnknownHeader;
    }
    if (file.size() < BmpFileHeaderSize + infoSize) {
        return BmpFault::CutShort;
    }
    const HeaderFields fields = ReadHeaderFields(file, infoSize);
    if (const std::optional<BmpFault> fault = FieldFault(fields, infoSize)) {
        return *fault;
    }
    BmpLayout layout = LayoutOf(file, infoSize, fields);
    if (fields.bitCount > LargestIndexedBitCount && !MasksFit(layout.masks, fields.bitCount)) {
        return BmpFault::BadMasks;
    }
    if (const std::optional<BmpFault> fault = PlacementFault(layout, file.size())) {
        return *fault;
    }
    return layout;
}

std::string BmpFaultReason(BmpFault fault)
{
    switch (fault) {
    case BmpFault::UnknownHeader: return "the BMP file's info header is of a size that is not read";
    case BmpFault::BadHeader: return "damaged BMP file (its size or planes)";
    case BmpFault::BadBitCount: return "damaged BMP file (its bit count)";
    case BmpFault::BadCompression: return "the BMP file's compression is not read at its bit count";
    case BmpFault::BadMasks: return "damaged BMP file (its colour masks)";
    case BmpFault::BadOffset: return "damaged BMP file (its pixel offset)";
    case BmpFault::CutShort: return "damaged BMP file (cut short)";
    case BmpFault::DamagedRuns: return "damaged run-length encoded BMP file";
    }
    return "damaged BMP file";
}

std::vector<std::uint32_t> BmpPalette(std::span<const std::uint8_t> file, const BmpLayout &layout)
{
    std::vector<std::uint32_t> palette(std::size_t{1} << layout.bitCount, 0);
    for (std::size_t i = 0; i < layout.tableEntries; ++i) {
        const std::uint8_t *entry = file.data() + layout.tableStart + layout.tableEntrySize * i;
        palette[i] =
            static_cast<std::uint32_t>(entry[2]) << 16 | static_cast<std::uint32_t>(entry[1]) << 8 | entry[0];
    }
    return palette;
}

std::optional<std::vector<std::uint8_t>> BmpIndices(std::span<const std::uint8_t> file,
                                                    const BmpLayout &layout)
{
    const int height = static_cast<int>(layout.rows);
    if (layout.compression != BmpCompression::None) {
        return DecodeBmpRuns(file.subspan(layout.pixelOffset), layout.width, height,
                             layout.compression == BmpCompression::Rle4);
    }
    const auto width = static_cast<std::size_t>(layout.width);
    const std::size_t stride = BmpRowStride(layout.width, layout.bitCount);
    std::vector<std::uint8_t> indices(width * layout.rows);
    for (std::uint32_t y = 0; y < layout.rows; ++y) {
        UnpackRow(file.data() + layout.pixelOffset + StoredRow(layout, y) * stride, layout,
                  indices.data() + y * width);
    }
    return indices;
}

std::optional<std::vector<std::uint32_t>> BmpColours(std::span<const std::uint8_t> file,
                                                     const BmpLayout &layout)
{
    if (layout.bitCount <= LargestIndexedBitCount) {
        return IndexedColours(file, layout);
    }
    return MaskedColours(file, layout);
}
