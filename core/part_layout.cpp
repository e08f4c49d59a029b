#include "part_layout.h"

#include <algorithm>
#include <array>
#include <span>

#include "bmp_reader.h"
#include "store/bmp_fields.h"
#include "store/byte_reader.h"

namespace {

constexpr int LargestIndexedBitCount = 8;

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
bool IsInSlotLayout(const BmpLayout &layout)
{
    return layout.infoSize == BmpInfoHeaderSize && layout.compression == BmpCompression::None &&
           !layout.topDown &&
           (layout.declaredEntries == FullTableEntries(layout.bitCount) ||
            layout.pixelOffset == SlotPixelOffset(layout.bitCount));
}

std::uint64_t SlotImageSize(const BmpLayout &layout)
{
    return SlotPixelOffset(layout.bitCount) + BmpRowStride(layout.width, layout.bitCount) * layout.rows;
}

void PutU32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint64_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void PutU16(std::vector<std::uint8_t> &bytes, std::size_t offset, int value)
{
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// The headers and the full colour table; the entries the file does not
// hold are black. The file header's reserved fields and the 40-byte info
// header's resolution and important-colour fields keep the file's values.
std::vector<std::uint8_t> SlotHeaders(std::span<const std::uint8_t> file, const BmpLayout &layout,
                                      std::size_t size)
{
    std::vector<std::uint8_t> image(size, 0);
    std::copy_n(file.begin(), BmpFileHeaderSize, image.begin());
    if (layout.infoSize >= BmpInfoHeaderSize) {
        std::copy(file.begin() + BmpField::ImageSize, file.begin() + BmpField::ColourTable,
                  image.begin() + BmpField::ImageSize);
    }
    const std::size_t pixelOffset = SlotPixelOffset(layout.bitCount);
    PutU32(image, BmpField::FileSize, size);
    PutU32(image, BmpField::PixelOffset, pixelOffset);
    PutU32(image, BmpField::InfoSize, BmpInfoHeaderSize);
    PutU32(image, BmpField::Width, static_cast<std::uint32_t>(layout.width));
    PutU32(image, BmpField::Height, layout.rows);
    PutU16(image, BmpField::Planes, 1);
    PutU16(image, BmpField::BitCount, layout.bitCount);
    PutU32(image, BmpField::Compression, BmpCompression::None);
    PutU32(image, BmpField::ImageSize, size - pixelOffset);
    PutU32(image, BmpField::ColoursUsed, FullTableEntries(layout.bitCount));
    const std::vector<std::uint32_t> palette = BmpPalette(file, layout);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        PutU32(image, BmpField::ColourTable + BmpColourEntrySize * i, palette[i]);
    }
    return image;
}

// Indices packed into rows of bitCount bits a pixel, bottom-up.
void PackRows(const std::vector<std::uint8_t> &indices, const BmpLayout &layout, std::span<std::uint8_t> rows)
{
    const std::size_t stride = BmpRowStride(layout.width, layout.bitCount);
    const auto width = static_cast<std::size_t>(layout.width);
    const auto bits = static_cast<unsigned>(layout.bitCount);
    for (std::size_t y = 0; y < layout.rows; ++y) {
        const std::uint8_t *index = indices.data() + y * width;
        std::uint8_t *row = rows.data() + y * stride;
        if (bits == 8) {
            std::copy_n(index, width, row);
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t bit = x * bits;
            row[bit / 8] |= static_cast<std::uint8_t>(index[x] << (8 - bits - bit % 8));
        }
    }
}

// The image in the slot layout; empty when its run data is cut short.
std::optional<std::vector<std::uint8_t>> Converted(std::span<const std::uint8_t> file,
                                                   const BmpLayout &layout, std::size_t size)
{
    const std::optional<std::vector<std::uint8_t>> indices = BmpIndices(file, layout);
    if (!indices) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> image = SlotHeaders(file, layout, size);
    PackRows(*indices, layout, std::span(image).subspan(SlotPixelOffset(layout.bitCount)));
    return image;
}

} // namespace

std::optional<std::vector<std::uint8_t>> InSlotLayout(std::vector<std::uint8_t> file)
{
    const std::variant<BmpLayout, BmpFault> read = ReadBmpLayout(file);
    const BmpLayout *layout = std::get_if<BmpLayout>(&read);
    if (layout == nullptr || layout->bitCount > LargestIndexedBitCount || IsInSlotLayout(*layout)) {
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
