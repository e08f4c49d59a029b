#include "bmp_builder.h"

#include <cstddef>

#include "store/bmp_fields.h"

namespace {

constexpr std::uint16_t PlaneCount = 1;
// 2835 pixels per metre is 72 dots per inch.
constexpr std::int32_t PixelsPerMetre = 2835;

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t> &bytes) : bytes_(bytes) {}

    void U8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void U16(std::uint32_t value)
    {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value)
    {
        U16(value);
        U16(value >> 16);
    }

  private:
    std::vector<std::uint8_t> &bytes_;
};

std::size_t TableEntries(int bitCount)
{
    return bitCount <= 8 ? std::size_t{1} << bitCount : 0;
}

std::size_t RowStride(int width, int bitCount)
{
    return static_cast<std::size_t>(BmpRowStride(width, bitCount));
}

void WriteHeaders(ByteWriter &out, const BmpImage &image, std::size_t pixelOffset, std::size_t pixelBytes)
{
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(pixelOffset + pixelBytes));
    out.U32(0);
    out.U32(static_cast<std::uint32_t>(pixelOffset));
    out.U32(BmpInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(image.width));
    out.U32(static_cast<std::uint32_t>(image.topDown ? -image.height : image.height));
    out.U16(PlaneCount);
    out.U16(static_cast<std::uint32_t>(image.bitCount));
    out.U32(BmpCompression::None);
    out.U32(static_cast<std::uint32_t>(pixelBytes));
    out.U32(PixelsPerMetre);
    out.U32(PixelsPerMetre);
    out.U32(static_cast<std::uint32_t>(TableEntries(image.bitCount)));
    out.U32(0);
}

void WriteColourTable(ByteWriter &out, const BmpImage &image)
{
    for (std::size_t i = 0; i < TableEntries(image.bitCount); ++i) {
        const std::uint32_t rgb = i < image.palette.size() ? image.palette[i] : 0;
        out.U8(rgb);
        out.U8(rgb >> 8);
        out.U8(rgb >> 16);
        out.U8(0);
    }
}

// Puts one pixel value into a zero-filled row.
void PutPixel(std::uint8_t *row, int x, int bitCount, std::uint32_t value)
{
    switch (bitCount) {
    case 1: row[x / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - x % 8)); break;
    case 2: row[x / 4] |= static_cast<std::uint8_t>((value & 3) << (6 - 2 * (x % 4))); break;
    case 4: row[x / 2] |= static_cast<std::uint8_t>((value & 0xF) << (x % 2 ? 0 : 4)); break;
    case 8: row[x] = static_cast<std::uint8_t>(value); break;
    default: {
        std::uint8_t *p = row + static_cast<std::size_t>(x) * (bitCount / 8);
        p[0] = static_cast<std::uint8_t>(value);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value >> 16);
        break;
    }
    }
}

void WritePixelRows(std::vector<std::uint8_t> &bytes, const BmpImage &image)
{
    const std::size_t stride = RowStride(image.width, image.bitCount);
    for (int stored = 0; stored < image.height; ++stored) {
        const int displayed = image.topDown ? stored : image.height - 1 - stored;
        const std::size_t rowStart = bytes.size();
        bytes.resize(rowStart + stride, 0);
        for (int x = 0; x < image.width; ++x) {
            const std::size_t index = static_cast<std::size_t>(displayed) * image.width + x;
            PutPixel(bytes.data() + rowStart, x, image.bitCount,
                     index < image.pixels.size() ? image.pixels[index] : 0);
        }
    }
}

} // namespace

std::vector<std::uint8_t> BuildBmpFile(const BmpImage &image)
{
    const std::size_t pixelOffset = BmpFileHeaderSize + BmpInfoHeaderSize + 4 * TableEntries(image.bitCount);
    const std::size_t pixelBytes = RowStride(image.width, image.bitCount) * image.height;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixelOffset + pixelBytes);
    ByteWriter out(bytes);
    WriteHeaders(out, image, pixelOffset, pixelBytes);
    WriteColourTable(out, image);
    WritePixelRows(bytes, image);
    return bytes;
}

std::vector<std::uint8_t> BuildBmp8(int width, int height, const std::vector<std::uint32_t> &palette,
                                    const std::vector<std::uint8_t> &indices)
{
    return BuildBmpFile({width, height, 8, false, palette, {indices.begin(), indices.end()}});
}
