// The BMP reader over files of every layout, written here from one plain
// picture: each valid one gives that picture (and, of 1 to 8 bits, the
// plain part file in the slot layout); each broken one its fault.
#include "core/bmp_reader.h"
#include "file_image_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "core/part_layout.h"
#include "core/picture/bmp_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Masks = std::array<std::uint32_t, 4>;

constexpr int PlainWidth = 13;
constexpr int PlainHeight = 7;
constexpr std::uint32_t Opaque = 0xFF000000;
// Channel values that 5- and 6-bit channels hold exactly.
constexpr std::array<std::uint32_t, 8> Levels = {0, 8, 16, 24, 231, 239, 247, 255};

constexpr Masks Rgb555 = {0x7C00, 0x03E0, 0x001F, 0};
constexpr Masks Rgb565 = {0xF800, 0x07E0, 0x001F, 0};
constexpr Masks Argb1555 = {0x7C00, 0x03E0, 0x001F, 0x8000};
constexpr Masks Bgra32 = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};
constexpr Masks Rgb10A2 = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};

// How a file is written: its info header, depth, compression, row order,
// the colour table entries written (a hint for 16 bits and more), the
// bytes between table and pixels, and the masks of bit fields.
struct Layout {
    const char *what;
    std::uint32_t infoSize;
    int bitCount;
    std::uint32_t compression = BmpCompression::None;
    bool topDown = false;
    std::size_t tableEntries = 0;
    std::size_t gap = 0;
    Masks masks{};
};

// The plain picture: palette indices (of 40 colours at 8 bits, else all
// of 2^bitCount) for 1 to 8 bits, else colours, some of them transparent.
BmpImage Plain(int bitCount)
{
    BmpImage image{PlainWidth, PlainHeight, std::min(bitCount, 24), false, {}, {}};
    const std::size_t colours = bitCount == 8 ? 40 : std::size_t{1} << std::min(bitCount, 8);
    for (std::size_t i = 0; bitCount <= 8 && i < colours; ++i)
        image.palette.push_back(static_cast<std::uint32_t>(i * 0x050301 ^ 0x806040));
    for (std::uint32_t y = 0; y < PlainHeight; ++y) {
        for (std::uint32_t x = 0; x < PlainWidth; ++x) {
            const std::uint32_t colour = (x + y) % 4 == 0 ? 0 : Opaque;
            image.pixels.push_back(bitCount <= 8
                                       ? (x / 3 + y * 5) % colours
                                       : colour | Levels[(x + y) % 8] << 16 |
                                             Levels[(2 * x + 3 * y) % 8] << 8 | Levels[(5 * x + y + 1) % 8]);
        }
    }
    return image;
}

// The picture as the reader gives it: top-down 0xAARRGGBB.
std::vector<std::uint32_t> Expected(const BmpImage &image, bool alpha)
{
    std::vector<std::uint32_t> colours;
    for (const std::uint32_t pixel : image.pixels)
        colours.push_back(image.bitCount <= 8 ? Opaque | image.palette[pixel]
                          : alpha             ? pixel
                                              : Opaque | pixel);
    return colours;
}

std::uint32_t Encoded(std::uint32_t colour, const Masks &masks)
{
    std::uint32_t pixel = 0;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        if (masks[i] == 0)
            continue;
        const std::uint32_t value = colour >> (i == 3 ? 24 : 16 - 8 * i) & 0xFF;
        const int width = std::popcount(masks[i]);
        const std::uint32_t bits =
            width >= 8 ? value << (width - 8) | value >> (16 - width) : value >> (8 - width);
        pixel |= bits << std::countr_zero(masks[i]) & masks[i];
    }
    return pixel;
}

Masks PixelMasks(const Layout &layout)
{
    if (layout.compression != BmpCompression::None)
        return layout.masks;
    return layout.bitCount == 16 ? Rgb555
                                 : Masks{0xFF0000, 0xFF00, 0xFF, layout.bitCount == 32 ? 0xFF000000 : 0};
}

Bytes UncompressedRows(const BmpImage &image, const Layout &layout)
{
    const std::size_t stride = BmpRowStride(image.width, layout.bitCount);
    Bytes rows(stride * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        const std::size_t stored = layout.topDown ? y : image.height - 1 - y;
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t pixel = image.pixels[static_cast<std::size_t>(y * image.width + x)];
            const std::size_t bit = stored * stride * 8 + static_cast<std::size_t>(x * layout.bitCount);
            if (layout.bitCount <= 8) {
                rows[bit / 8] |= static_cast<std::uint8_t>(pixel << (8 - layout.bitCount - bit % 8));
                continue;
            }
            const std::uint32_t value = Encoded(pixel, PixelMasks(layout));
            for (int i = 0; i < layout.bitCount / 8; ++i)
                rows[bit / 8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    return rows;
}

Bytes Written(const BmpImage &image, const Layout &layout)
{
    const bool core = layout.infoSize == BmpInfoSize::Core;
    const std::size_t masksAfter =
        layout.infoSize == 40 && layout.compression != BmpCompression::None && layout.bitCount > 8
            ? (layout.compression == BmpCompression::AlphaBitfields ? 16 : 12)
            : 0;
    const std::size_t tableStart = 14 + layout.infoSize + masksAfter;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t pixelOffset = tableStart + entrySize * layout.tableEntries + layout.gap;
    const Bytes pixels =
        layout.compression == BmpCompression::Rle8 || layout.compression == BmpCompression::Rle4
            ? Runs(image)
            : UncompressedRows(image, layout);
    Bytes file(std::max<std::size_t>(pixelOffset, 70) + pixels.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<std::uint32_t>(file.size()));
    PutU32(file, 10, static_cast<std::uint32_t>(pixelOffset));
    PutU32(file, 14, layout.infoSize);
    if (core) {
        PutU16(file, 18, PlainWidth);
        PutU16(file, 20, PlainHeight);
        PutU16(file, 22, 1);
        PutU16(file, 24, static_cast<std::uint32_t>(layout.bitCount));
    } else {
        PutU32(file, 18, PlainWidth);
        PutU32(file, 22, static_cast<std::uint32_t>(layout.topDown ? -PlainHeight : PlainHeight));
        PutU16(file, 26, 1);
        PutU16(file, 28, static_cast<std::uint32_t>(layout.bitCount));
    }
    if (layout.infoSize >= 40) {
        PutU32(file, 30, layout.compression);
        PutU32(file, 46, static_cast<std::uint32_t>(layout.tableEntries));
    }
    if (masksAfter > 0 || layout.infoSize >= BmpInfoSize::ColourMasks)
        for (std::size_t i = 0; i < 4; ++i)
            PutU32(file, 54 + 4 * i, layout.masks[i]);
    for (std::size_t i = 0; i < layout.tableEntries; ++i) {
        const std::uint32_t colour = i < image.palette.size() ? image.palette[i] : 0;
        for (std::size_t c = 0; c < 3; ++c)
            file[tableStart + entrySize * i + c] = static_cast<std::uint8_t>(colour >> (8 * c));
    }
    std::copy(pixels.begin(), pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset));
    file.resize(pixelOffset + pixels.size());
    return file;
}

// The plain picture in the slot layout, without the resolution that the
// files written here do not give.
Bytes InSlot(const BmpImage &image)
{
    Bytes file = BuildBmpFile(image);
    std::fill(file.begin() + 38, file.begin() + 46, 0);
    return file;
}

} // namespace

TEST(BmpReader, EveryLayoutGivesThePlainPictureAndBrokenFilesTheirFault)
{
    using C = std::uint32_t;
    const Layout valid[] = {
        {"core, 8 bits, full table", 12, 8, 0, false, 256},
        {"core, 8 bits, short table", 12, 8, 0, false, 40},
        {"core, 4 bits", 12, 4, 0, false, 16},
        {"OS/2 short header, 1 bit", 16, 1, 0, false, 2},
        {"OS/2 header, 8 bits, short table", 64, 8, 0, false, 40},
        {"OS/2 header, RLE8", 64, 8, BmpCompression::Rle8, false, 256},
        {"8 bits, short table, gap", 40, 8, 0, false, 40, 6},
        {"2 bits, top-down", 40, 2, 0, true, 4},
        {"version 4, RLE4", 108, 4, BmpCompression::Rle4, false, 16},
        {"version 5, 8 bits, top-down", 124, 8, 0, true, 40},
        {"16 bits with a hint table", 40, 16, 0, false, 256},
        {"16 bits, 5-6-5", 40, 16, BmpCompression::Bitfields, false, 0, 0, Rgb565},
        {"16 bits, masks in the header", 52, 16, BmpCompression::Bitfields, true, 0, 0, Rgb565},
        {"24 bits with a hint table", 40, 24, 0, false, 16},
        {"24 bits, version 5, top-down, gap", 124, 24, 0, true, 0, 10},
        {"32 bits, unused fourth byte", 40, 32, 0, false},
    };
    const Layout withAlpha[] = {
        {"16 bits, alpha mask", 56, 16, BmpCompression::Bitfields, false, 0, 0, Argb1555},
        {"32 bits, alpha bit fields", 40, 32, BmpCompression::AlphaBitfields, false, 0, 0, Bgra32},
        {"32 bits, 10-bit channels, version 4", 108, 32, BmpCompression::Bitfields, true, 0, 0, Rgb10A2},
    };
    for (const bool alpha : {false, true}) {
        for (const Layout &layout :
             alpha ? std::span<const Layout>(withAlpha) : std::span<const Layout>(valid)) {
            BmpImage plain = Plain(layout.bitCount);
            if (layout.bitCount == 32 && layout.compression == BmpCompression::None)
                std::for_each(plain.pixels.begin(), plain.pixels.end(), [](C &p) { p &= 0xFFFFFF; });
            const Bytes file = Written(plain, layout);
            const auto read = ReadBmpLayout(file);
            ASSERT_TRUE(std::holds_alternative<BmpLayout>(read)) << layout.what;
            EXPECT_EQ(BmpColours(file, std::get<BmpLayout>(read)), Expected(plain, alpha)) << layout.what;
            if (layout.bitCount <= 8) {
                EXPECT_EQ(InSlotLayout(file), InSlot(plain)) << layout.what;
            }
        }
    }

    // A pixel naming an entry past a short table is black; a file in the
    // slot layout stays byte for byte.
    BmpImage beyond = Plain(8);
    beyond.pixels[0] = 200;
    const Bytes shortTable = Written(beyond, {"", 12, 8, 0, false, 40});
    EXPECT_EQ(BmpColours(shortTable, std::get<BmpLayout>(ReadBmpLayout(shortTable)))->front(), Opaque);
    const Bytes canonical = BuildBmpFile(Plain(8));
    EXPECT_EQ(InSlotLayout(canonical), canonical);

    const BmpImage plain8 = Plain(8);
    const Bytes rle = Written(plain8, {"", 40, 8, BmpCompression::Rle8, false, 256});
    const auto changed = [](Bytes file, std::size_t at, std::uint32_t value, bool wide = true) {
        wide ? PutU32(file, at, value) : PutU16(file, at, value);
        return file;
    };
    const Bytes plainFile = Written(plain8, {"", 40, 8, 0, false, 256});
    const Bytes bitfields = Written(Plain(16), {"", 40, 16, BmpCompression::Bitfields, false, 0, 0, Rgb565});
    const struct {
        const char *what;
        Bytes file;
        BmpFault fault;
    } broken[] = {
        {"info header of 20 bytes", changed(plainFile, 14, 20), BmpFault::UnknownHeader},
        {"headers cut short", Bytes(plainFile.begin(), plainFile.begin() + 40), BmpFault::CutShort},
        {"rows cut short", Bytes(plainFile.begin(), plainFile.end() - 20), BmpFault::CutShort},
        {"bit-field rows cut short", Bytes(bitfields.begin(), bitfields.end() - 20), BmpFault::CutShort},
        {"height overflowing", changed(plainFile, 22, 0x80000000u), BmpFault::BadHeader},
        {"no width", changed(plainFile, 18, 0), BmpFault::BadHeader},
        {"two planes", changed(plainFile, 26, 2, false), BmpFault::BadHeader},
        {"3 bits", changed(plainFile, 28, 3, false), BmpFault::BadBitCount},
        {"RLE4 of 8 bits", changed(plainFile, 30, BmpCompression::Rle4), BmpFault::BadCompression},
        {"Huffman in the OS/2 header", changed(changed(bitfields, 14, 64), 10, 78), BmpFault::BadCompression},
        {"RLE rows top-down", changed(rle, 22, static_cast<std::uint32_t>(-PlainHeight)),
         BmpFault::BadHeader},
        {"a mask of two runs", changed(bitfields, 54, 0xF00F), BmpFault::BadMasks},
        {"a mask past 16 bits", changed(bitfields, 62, 0x1F0000), BmpFault::BadMasks},
        {"pixels inside the header", changed(plainFile, 10, 30), BmpFault::BadOffset},
        {"pixels past the end", changed(rle, 10, 0x7FFFFFF0), BmpFault::CutShort},
    };
    for (const auto &file : broken) {
        const auto read = ReadBmpLayout(file.file);
        EXPECT_TRUE(std::holds_alternative<BmpFault>(read) && std::get<BmpFault>(read) == file.fault)
            << file.what;
        EXPECT_EQ(InSlotLayout(file.file), file.file) << file.what;
    }
    const Bytes cutRuns(rle.begin(), rle.end() - 30);
    EXPECT_EQ(BmpColours(cutRuns, std::get<BmpLayout>(ReadBmpLayout(cutRuns))), std::nullopt);
    EXPECT_EQ(BmpFaultReason(BmpFault::DamagedRuns), "damaged run-length encoded BMP file");
}
