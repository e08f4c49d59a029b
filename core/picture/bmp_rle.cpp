#include "bmp_rle.h"

#include <algorithm>
#include <cstdlib>

#include "picture_error.h"
#include "store/bmp_fields.h"
#include "store/byte_reader.h"

namespace {

constexpr std::uint32_t Rle8 = 1;
constexpr std::uint32_t Rle4 = 2;
constexpr std::uint32_t Opaque = 0xFF000000;
// Escapes after a zero count.
constexpr std::uint8_t EndOfLine = 0;
constexpr std::uint8_t EndOfBitmap = 1;
constexpr std::uint8_t Delta = 2;
constexpr int LargestSide = 1 << 16;

PictureError Damaged()
{
    return PictureError("cannot read the image: damaged run-length encoded BMP file");
}

// Reads the run data byte by byte, never past its end.
class RunReader {
  public:
    RunReader(std::span<const std::uint8_t> data) : data_(data) {}
    std::uint8_t Next()
    {
        if (at_ >= data_.size()) {
            throw Damaged();
        }
        return data_[at_++];
    }
    // Absolute runs are padded to a 16-bit boundary.
    void AlignToWord() { at_ += at_ % 2; }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

// Palette indices, rows bottom-up as stored.
class IndexCanvas {
  public:
    IndexCanvas(int width, int height)
        : width_(width), height_(height), indices_(static_cast<std::size_t>(width) * height, 0)
    {
    }
    void Put(std::uint8_t index)
    {
        if (x_ < width_ && y_ < height_) {
            indices_[static_cast<std::size_t>(y_) * width_ + x_] = index;
        }
        x_ = std::min(x_ + 1, width_);
    }
    void NextLine()
    {
        x_ = 0;
        ++y_;
    }
    void Move(int dx, int dy)
    {
        x_ = std::min(x_ + dx, width_);
        y_ = std::min(y_ + dy, height_);
    }
    bool Finished() const { return y_ >= height_; }
    const std::vector<std::uint8_t> &Indices() const { return indices_; }

  private:
    int width_;
    int height_;
    int x_ = 0;
    int y_ = 0;
    std::vector<std::uint8_t> indices_;
};

// The pixel of a run: RLE8 repeats the byte, RLE4 alternates its two halves.
std::uint8_t RunPixel(std::uint8_t value, int position, bool fourBit)
{
    if (!fourBit) {
        return value;
    }
    return position % 2 == 0 ? static_cast<std::uint8_t>(value >> 4)
                             : static_cast<std::uint8_t>(value & 0x0F);
}

void ReadAbsoluteRun(RunReader &reader, IndexCanvas &canvas, int count, bool fourBit)
{
    std::uint8_t value = 0;
    for (int i = 0; i < count; ++i) {
        if (!fourBit || i % 2 == 0) {
            value = reader.Next();
        }
        canvas.Put(RunPixel(value, i, fourBit));
    }
    reader.AlignToWord();
}

void DecodeRuns(RunReader &reader, IndexCanvas &canvas, bool fourBit)
{
    while (!canvas.Finished()) {
        const std::uint8_t count = reader.Next();
        const std::uint8_t value = reader.Next();
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                canvas.Put(RunPixel(value, i, fourBit));
            }
        } else if (value == EndOfLine) {
            canvas.NextLine();
        } else if (value == EndOfBitmap) {
            return;
        } else if (value == Delta) {
            const int dx = reader.Next();
            canvas.Move(dx, reader.Next());
        } else {
            ReadAbsoluteRun(reader, canvas, value, fourBit);
        }
    }
}

std::vector<std::uint32_t> ReadPalette(std::span<const std::uint8_t> file, int bitCount)
{
    const std::size_t start = BmpFileHeaderSize + ReadU32LE(file, BmpField::InfoSize);
    const std::size_t fullTable = std::size_t{1} << bitCount;
    const std::uint32_t used = ReadU32LE(file, BmpField::ColoursUsed);
    const std::size_t entries = used == 0 || used > fullTable ? fullTable : used;
    std::vector<std::uint32_t> palette(fullTable, Opaque);
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
    return (compression == Rle8 && bitCount == 8) || (compression == Rle4 && bitCount == 4);
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
    IndexCanvas canvas(size.width, size.height);
    RunReader reader(file.subspan(pixelOffset));
    DecodeRuns(reader, canvas, fourBit);

    const std::vector<std::uint32_t> palette = ReadPalette(file, fourBit ? 4 : 8);
    RgbaImage image{size.width, size.height, {}};
    image.pixels.reserve(canvas.Indices().size());
    for (int y = size.height - 1; y >= 0; --y) {
        for (int x = 0; x < size.width; ++x) {
            image.pixels.push_back(palette[canvas.Indices()[static_cast<std::size_t>(y) * size.width + x]]);
        }
    }
    return image;
}
