#include "part_layout.h"

#include <algorithm>
#include <array>
#include <span>

#include "bmp_runs.h"
#include "store/bmp_fields.h"
#include "store/byte_reader.h"

namespace {

// Info headers whose first 40 bytes are those of the 40-byte one: that
// header itself, the ones with colour masks (52 and 56 bytes), versions 4
// and 5.
constexpr std::array<std::uint32_t, 5> ReadInfoSizes = {40, 52, 56, 108, 124};
constexpr std::uint16_t PlaneCount = 1;

// Where the parts of a file that can be read lie.
struct FileLayout {
    std::uint32_t infoSize;
    std::int32_t width;
    std::uint32_t rows;
    bool topDown;
    int bitCount;
    std::uint32_t compression;
    std::size_t tableStart;
    std::size_t tableEntries;
    std::size_t pixelOffset;
};

bool IsReadableDepth(int bitCount, std::uint32_t compression)
{
    switch (compression) {
    case BmpCompression::None: return bitCount == 1 || bitCount == 4 || bitCount == 8;
    case BmpCompression::Rle8: return bitCount == 8;
    case BmpCompression::Rle4: return bitCount == 4;
    }
    return false;
}

// The headers of a file of 1, 4 or 8 bits in a layout the conversion reads;
// run-length encoded rows are always stored bottom-up.
bool HasReadableHeaders(std::span<const std::uint8_t> file)
{
    const std::uint32_t infoSize = ReadU32LE(file, BmpField::InfoSize);
    const std::uint32_t compression = ReadU32LE(file, BmpField::Compression);
    const std::int32_t height = ReadI32LE(file, BmpField::Height);
    return std::find(ReadInfoSizes.begin(), ReadInfoSizes.end(), infoSize) != ReadInfoSizes.end() &&
           file.size() >= BmpFileHeaderSize + infoSize && file[0] == 'B' && file[1] == 'M' &&
           ReadU16LE(file, BmpField::Planes) == PlaneCount &&
           IsReadableDepth(ReadU16LE(file, BmpField::BitCount), compression) &&
           ReadI32LE(file, BmpField::Width) > 0 && height != 0 &&
           (height > 0 || compression == BmpCompression::None);
}

// The colour table and the pixels must lie in the file, in that order.
bool PartsLieInFile(const FileLayout &layout, std::size_t fileSize)
{
    const std::size_t tableEnd = layout.tableStart + BmpColourEntrySize * layout.tableEntries;
    if (layout.pixelOffset < tableEnd || layout.pixelOffset > fileSize) {
        return false;
    }
    return layout.compression != BmpCompression::None ||
           BmpRowStride(layout.width, layout.bitCount) * layout.rows <= fileSize - layout.pixelOffset;
}

std::optional<FileLayout> ReadLayout(std::span<const std::uint8_t> file)
{
    if (!HasReadableHeaders(file)) {
        return std::nullopt;
    }
    const std::int32_t height = ReadI32LE(file, BmpField::Height);
    const int bitCount = ReadU16LE(file, BmpField::BitCount);
    const FileLayout layout{ReadU32LE(file, BmpField::InfoSize),
                            ReadI32LE(file, BmpField::Width),
                            height < 0 ? 0u - static_cast<std::uint32_t>(height)
                                       : static_cast<std::uint32_t>(height),
                            height < 0,
                            bitCount,
                            ReadU32LE(file, BmpField::Compression),
                            BmpFileHeaderSize + ReadU32LE(file, BmpField::InfoSize),
                            ColourTableEntries(ReadU32LE(file, BmpField::ColoursUsed), bitCount),
                            ReadU32LE(file, BmpField::PixelOffset)};
    if (!PartsLieInFile(layout, file.size())) {
        return std::nullopt;
    }
    return layout;
}

std::size_t FullTableEntries(int bitCount)
{
    return std::size_t{1} << bitCount;
}

// Where the slot layout puts the pixels: after the full colour table.
std::size_t SlotPixelOffset(int bitCount)
{
    return BmpField::ColourTable + BmpColourEntrySize * FullTableEntries(bitCount);
}

// The slot layout takes the pixels from after the full colour table,
// whatever the file header's pixel offset says; a colour table that the
// colour count makes shorter is read there too when the pixels begin there.
bool IsInSlotLayout(const FileLayout &layout)
{
    return layout.infoSize == BmpInfoHeaderSize && layout.compression == BmpCompression::None &&
           !layout.topDown &&
           (layout.tableEntries == FullTableEntries(layout.bitCount) ||
            layout.pixelOffset == SlotPixelOffset(layout.bitCount));
}

std::uint64_t SlotImageSize(const FileLayout &layout)
{
    return SlotPixelOffset(layout.bitCount) + BmpRowStride(layout.width, layout.bitCount) * layout.rows;
}

void PutU32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint64_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The headers and the full colour table; the entries the file does not
// hold are zero. Fields not named here keep the file's values.
std::vector<std::uint8_t> SlotHeaders(std::span<const std::uint8_t> file, const FileLayout &layout,
                                      std::size_t size)
{
    std::vector<std::uint8_t> image(size, 0);
    std::copy_n(file.begin(), BmpField::ColourTable, image.begin());
    const std::size_t pixelOffset = SlotPixelOffset(layout.bitCount);
    PutU32(image, BmpField::FileSize, size);
    PutU32(image, BmpField::PixelOffset, pixelOffset);
    PutU32(image, BmpField::InfoSize, BmpInfoHeaderSize);
    PutU32(image, BmpField::Height, layout.rows);
    PutU32(image, BmpField::Compression, BmpCompression::None);
    PutU32(image, BmpField::ImageSize, size - pixelOffset);
    PutU32(image, BmpField::ColoursUsed, FullTableEntries(layout.bitCount));
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(layout.tableStart),
                BmpColourEntrySize * layout.tableEntries, image.begin() + BmpField::ColourTable);
    return image;
}

// Uncompressed rows as they are, bottom-up.
void CopyRows(std::span<const std::uint8_t> file, const FileLayout &layout, std::span<std::uint8_t> rows)
{
    const std::size_t stride = BmpRowStride(layout.width, layout.bitCount);
    for (std::uint32_t row = 0; row < layout.rows; ++row) {
        const std::uint32_t stored = layout.topDown ? layout.rows - 1 - row : row;
        std::copy_n(file.subspan(layout.pixelOffset + stored * stride, stride).begin(), stride,
                    rows.subspan(row * stride).begin());
    }
}

// Decoded runs packed into rows; false when the run data is cut short.
bool DecodeRows(std::span<const std::uint8_t> file, const FileLayout &layout, std::span<std::uint8_t> rows)
{
    const int height = static_cast<int>(layout.rows);
    const std::optional<std::vector<std::uint8_t>> indices = DecodeBmpRuns(
        file.subspan(layout.pixelOffset), layout.width, height, layout.compression == BmpCompression::Rle4);
    if (!indices) {
        return false;
    }
    const std::size_t stride = BmpRowStride(layout.width, layout.bitCount);
    const std::size_t width = static_cast<std::size_t>(layout.width);
    for (std::size_t y = 0; y < layout.rows; ++y) {
        const std::uint8_t *index = indices->data() + y * width;
        std::uint8_t *row = rows.data() + y * stride;
        for (std::size_t x = 0; x < width; ++x) {
            if (layout.bitCount == 8) {
                row[x] = index[x];
            } else {
                row[x / 2] |= static_cast<std::uint8_t>(index[x] << (x % 2 == 0 ? 4 : 0));
            }
        }
    }
    return true;
}

// The image in the slot layout; empty when its run data is cut short.
std::optional<std::vector<std::uint8_t>> Converted(std::span<const std::uint8_t> file,
                                                   const FileLayout &layout, std::size_t size)
{
    std::vector<std::uint8_t> image = SlotHeaders(file, layout, size);
    const std::span<std::uint8_t> rows = std::span(image).subspan(SlotPixelOffset(layout.bitCount));
    if (layout.compression == BmpCompression::None) {
        CopyRows(file, layout, rows);
    } else if (!DecodeRows(file, layout, rows)) {
        return std::nullopt;
    }
    return image;
}

} // namespace

std::optional<std::vector<std::uint8_t>> InSlotLayout(std::vector<std::uint8_t> file)
{
    const std::optional<FileLayout> layout = ReadLayout(file);
    if (!layout || IsInSlotLayout(*layout)) {
        return file;
    }
    const std::uint64_t size = SlotImageSize(*layout);
    if (size > SlotSize) {
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> image = Converted(file, *layout, static_cast<std::size_t>(size));
    if (!image) {
        return file;
    }
    return image;
}
