#include "bmp_runs.h"

#include <algorithm>

namespace {

// Escapes after a zero count.
constexpr std::uint8_t EndOfLine = 0;
constexpr std::uint8_t EndOfBitmap = 1;
constexpr std::uint8_t Delta = 2;

// Reads the run data byte by byte, never past its end; a read at the end
// gives 0 and marks the data as cut short.
class RunReader {
  public:
    explicit RunReader(std::span<const std::uint8_t> data) : data_(data) {}
    std::uint8_t Next()
    {
        if (at_ >= data_.size()) {
            cutShort_ = true;
            return 0;
        }
        return data_[at_++];
    }
    // Absolute runs are padded to a 16-bit boundary.
    void AlignToWord() { at_ += at_ % 2; }
    bool CutShort() const { return cutShort_; }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
    bool cutShort_ = false;
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
    std::vector<std::uint8_t> TakeIndices() { return std::move(indices_); }

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
    while (!canvas.Finished() && !reader.CutShort()) {
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

} // namespace

std::optional<std::vector<std::uint8_t>> DecodeBmpRuns(std::span<const std::uint8_t> runs, int width,
                                                       int height, bool fourBit)
{
    IndexCanvas canvas(width, height);
    RunReader reader(runs);
    DecodeRuns(reader, canvas, fourBit);
    if (reader.CutShort()) {
        return std::nullopt;
    }
    return canvas.TakeIndices();
}
