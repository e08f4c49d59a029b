#include "bmp_rle.h"

#include "picture_error.h"
#include "core/bmp_runs.h"
#include "store/bmp_fields.h"
#include "store/byte_reader.h"

namespace {

constexpr std::uint32_t Opaque = 0xFF000000;
constexpr int LargestSide = 1 << 16;

PictureError Damaged()
{
    return PictureError("cannot read the image: damaged run-length encoded BMP file");
}

std::vector<std::uint32_t> ReadPalette(std::span<const std::uint8_t> file, int bitCount)
{
    const std::size_t start = BmpFileHeaderSize + ReadU32LE(file, BmpField::InfoSize);
    const std::size_t entries = ColourTableEntries(ReadU32LE(file, BmpField::ColoursUsed), bitCount);
    std::vector<std::uint32_t> palette(std::size_t{1} << bitCount, Opaque);
    for (std::size_t i = 0; i < entries && start + 4 * i + 3 < file.size(); ++i) {
        const std::size_t at = start + 4 * i;
        palette[i] = Opaque | static_cast<std::uint32_t>(file[at + 2]) << 16 |
                     static_cast<std::uint32_t>(file[at + 1]) << 8 | file[at];
    }
    return palette;
}

} // namespace

bool IsRleBmp(std::span<const std::uint8_t> file)
{
    if (file.size() < BmpFileHeaderSize + BmpInfoHeaderSize || file[0] != 'B' || file[1] != 'M' ||
        ReadU32LE(file, BmpField::InfoSize) < BmpInfoHeaderSize) {
        return false;
    }
    const std::uint32_t compression = ReadU32LE(file, BmpField::Compression);
    const std::uint16_t bitCount = ReadU16LE(file, BmpField::BitCount);
    return (compression == BmpCompression::Rle8 && bitCount == 8) ||
           (compression == BmpCompression::Rle4 && bitCount == 4);
}

ImageSize RleBmpSize(std::span<const std::uint8_t> file)
{
    return {static_cast<int>(ReadU32LE(file, BmpField::Width)),
            AbsoluteSide(static_cast<int>(ReadU32LE(file, BmpField::Height)))};
}

RgbaImage DecodeRleBmp(std::span<const std::uint8_t> file)
{
    const ImageSize size = RleBmpSize(file);
    const std::uint32_t pixelOffset = ReadU32LE(file, BmpField::PixelOffset);
    // Run-length encoded rows are always stored bottom-up.
    if (size.width <= 0 || size.width > LargestSide ||
        static_cast<int>(ReadU32LE(file, BmpField::Height)) <= 0 || size.height > LargestSide ||
        pixelOffset >= file.size()) {
        throw Damaged();
    }
    const bool fourBit = ReadU16LE(file, BmpField::BitCount) == 4;
    const std::optional<std::vector<std::uint8_t>> indices =
        DecodeBmpRuns(file.subspan(pixelOffset), size.width, size.height, fourBit);
    if (!indices) {
        throw Damaged();
    }

    const std::vector<std::uint32_t> palette = ReadPalette(file, fourBit ? 4 : 8);
    RgbaImage image{size.width, size.height, {}};
    image.pixels.reserve(indices->size());
    for (int y = size.height - 1; y >= 0; --y) {
        for (int x = 0; x < size.width; ++x) {
            image.pixels.push_back(palette[(*indices)[static_cast<std::size_t>(y) * size.width + x]]);
        }
    }
    return image;
}
