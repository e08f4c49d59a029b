// convert and preview: part files the editor accepts, pictures of packages.
#include <algorithm>
#include <cmath>

#include "core/picture/image_codec.h"
#include "store/part_slot.h"
#include "tavipac_test_support.h"
#include "core/picture/bmp_builder.h"
#include "core/preview_picture.h"

namespace {

using TavipacImages = TavipacFolder;

PartSlot SlotOf(const std::vector<std::uint8_t> &file)
{
    PartSlot slot{};
    std::copy_n(file.begin(), std::min(file.size(), SlotSize), slot.bytes.begin());
    return slot;
}

RgbImage Decoded(const std::vector<std::uint8_t> &file)
{
    const std::optional<RgbImage> image = DecodeSlotImage(SlotOf(file));
    return image ? *image : RgbImage{};
}

// The form every part file must have for the editor.
void ExpectEditorForm(const std::vector<std::uint8_t> &file)
{
    ASSERT_GE(file.size(), 1078u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(GetU32(file, 2), file.size());
    EXPECT_LE(file.size(), SlotSize);
    EXPECT_EQ(GetU32(file, 10), 1078u);
    EXPECT_EQ(GetU32(file, 14), 40u);
    EXPECT_EQ(file[28] | file[29] << 8, 8);
    EXPECT_GT(static_cast<std::int32_t>(GetU32(file, 22)), 0) << "rows bottom-up";
}

std::vector<std::uint32_t> Palette(std::size_t count)
{
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < count; ++i) {
        palette.push_back(
            static_cast<std::uint32_t>((i * 97 % 256) << 16 | (i * 31 % 256) << 8 | (i * 7 % 256)));
    }
    return palette;
}

std::vector<std::uint32_t> PatternIndices(int width, int height, std::size_t colours)
{
    std::vector<std::uint32_t> indices;
    for (int i = 0; i < width * height; ++i) {
        indices.push_back(static_cast<std::uint32_t>((i * 7 + i / width) % colours));
    }
    return indices;
}

// The mean difference per colour channel between the two pictures, averaged
// over block x block areas first.
double MeanBlockError(const RgbImage &a, const RgbImage &b, int block)
{
    double error = 0;
    int blocks = 0;
    for (int top = 0; top + block <= a.height; top += block) {
        for (int left = 0; left + block <= a.width; left += block) {
            for (const int shift : {0, 8, 16}) {
                int sum = 0;
                for (int y = top; y < top + block; ++y) {
                    for (int x = left; x < left + block; ++x) {
                        sum += static_cast<int>(a.At(x, y) >> shift & 0xFF) -
                               static_cast<int>(b.At(x, y) >> shift & 0xFF);
                    }
                }
                error += std::abs(sum) / static_cast<double>(block * block);
            }
            ++blocks;
        }
    }
    return error / (3.0 * blocks);
}

TEST_F(TavipacImages, ConvertKeepsTheColoursOfImagesWithAtMost256)
{
    const BmpImage eightBit{37, 23, 8, false, Palette(256), PatternIndices(37, 23, 200)};
    const BmpImage fourBit{10, 9, 4, false, Palette(16), PatternIndices(10, 9, 16)};
    const BmpImage fewColoursTrueColour{12, 5, 24, true, {}, std::vector<std::uint32_t>(60, 0x123456)};
    for (const BmpImage &source : {eightBit, fourBit, fewColoursTrueColour}) {
        const std::vector<std::uint8_t> input = BuildBmpFile(source);
        WriteBytes("in.bmp", input);
        const TavipacRun run = Tavipac({"convert", "in.bmp", "-o", "part.bmp", "--force"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::uint8_t> part = FileBytes("part.bmp");
        ExpectEditorForm(part);
        EXPECT_EQ(Decoded(part).pixels, Decoded(input).pixels) << source.bitCount;
    }

    WriteBytes("picture.png", EncodePng(Decoded(BuildBmpFile(eightBit))));
    ASSERT_EQ(Tavipac({"convert", "picture.png", "-o", "fromPng.bmp"}).exitCode, 0);
    EXPECT_EQ(Decoded(FileBytes("fromPng.bmp")).pixels, Decoded(BuildBmpFile(eightBit)).pixels);
}

// A run-length encoded BMP file: headers, a colour table of 2^bitCount
// entries where entry i is colour(i), then the run data.
std::vector<std::uint8_t> RleBmp(int width, int height, int bitCount, const std::vector<std::uint8_t> &runs)
{
    const std::size_t tableSize = 4u << bitCount;
    std::vector<std::uint8_t> file(54 + tableSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 10, static_cast<std::uint32_t>(file.size()));
    PutU32(file, 14, 40);
    PutU32(file, 18, static_cast<std::uint32_t>(width));
    PutU32(file, 22, static_cast<std::uint32_t>(height));
    PutU16(file, 26, 1);
    PutU16(file, 28, static_cast<std::uint16_t>(bitCount));
    PutU32(file, 30, bitCount == 8 ? 1 : 2);
    for (std::size_t i = 0; i < tableSize / 4; ++i) {
        file[54 + 4 * i] = static_cast<std::uint8_t>(i * 3);     // blue
        file[54 + 4 * i + 1] = static_cast<std::uint8_t>(i * 5); // green
        file[54 + 4 * i + 2] = static_cast<std::uint8_t>(i * 7); // red
    }
    file.insert(file.end(), runs.begin(), runs.end());
    PutU32(file, 2, static_cast<std::uint32_t>(file.size()));
    return file;
}

std::vector<std::uint32_t> Colours(const std::vector<std::uint32_t> &indices)
{
    std::vector<std::uint32_t> colours;
    for (const std::uint32_t i : indices) {
        colours.push_back(i * 7 << 16 | i * 5 << 8 | i * 3);
    }
    return colours;
}

TEST_F(TavipacImages, ConvertReadsRunLengthEncodedBmp)
{
    // Bottom row: a run of one 5, an absolute run 6 7 8 (padded), end of
    // line; top row: a run of four 9s, end of bitmap.
    WriteBytes("rle8.bmp", RleBmp(4, 2, 8, {1, 5, 0, 3, 6, 7, 8, 0, 0, 0, 4, 9, 0, 1}));
    ASSERT_EQ(Tavipac({"convert", "rle8.bmp", "-o", "part8.bmp"}).exitCode, 0);
    EXPECT_EQ(Decoded(FileBytes("part8.bmp")).pixels, Colours({9, 9, 9, 9, 5, 6, 7, 8}));

    // Bottom row: a run of five alternating 1 and 2, end of line; top row: an
    // absolute run 3 1 2, a move two pixels on (left as entry 0), end of
    // line, end of bitmap.
    WriteBytes("rle4.bmp", RleBmp(5, 2, 4, {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 2, 2, 0, 0, 0, 0, 1}));
    ASSERT_EQ(Tavipac({"convert", "rle4.bmp", "-o", "part4.bmp"}).exitCode, 0);
    EXPECT_EQ(Decoded(FileBytes("part4.bmp")).pixels, Colours({3, 1, 2, 0, 0, 1, 2, 1, 2, 1}));

    WriteBytes("cut.bmp", RleBmp(4, 2, 8, {4, 9, 0}));
    const TavipacRun run = Tavipac({"convert", "cut.bmp", "-o", "cut8.bmp"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("damaged run-length encoded BMP file"), std::string::npos) << run.err;
}

TEST_F(TavipacImages, ConvertQuantisesRichImagesCloselyAndMakesMasks)
{
    RgbImage gradient{96, 64, {}};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 96; ++x) {
            gradient.pixels.push_back(static_cast<std::uint32_t>(x * 255 / 95) << 16 |
                                      static_cast<std::uint32_t>(y * 255 / 63) << 8 | 0x80);
        }
    }
    WriteBytes("gradient.png", EncodePng(gradient));
    for (const bool dither : {false, true}) {
        std::vector<std::string> arguments = {"convert", "gradient.png", "-o", "part.bmp", "--force"};
        if (dither) {
            arguments.push_back("--dither");
        }
        ASSERT_EQ(Tavipac(arguments).exitCode, 0);
        const std::vector<std::uint8_t> part = FileBytes("part.bmp");
        ExpectEditorForm(part);
        // Dithering trades the error of single pixels for the right colour
        // over an area, so it is measured over 4 x 4 blocks.
        EXPECT_LT(MeanBlockError(gradient, Decoded(part), dither ? 4 : 1), 3.5) << dither;
    }

    RgbImage keyed{4, 2, {0xFF00FF, 0x102030, 0xFF00FF, 0xFFFFFF, 0, 0, 0xFF00FF, 0x808080}};
    WriteBytes("keyed.png", EncodePng(keyed));
    ASSERT_EQ(Tavipac({"convert", "keyed.png", "-o", "mask.bmp", "--mask", "--key", "FF00FF"}).exitCode, 0);
    const std::vector<std::uint32_t> expected = {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0xFFFFFF, 0};
    EXPECT_EQ(Decoded(FileBytes("mask.bmp")).pixels, expected);
    ASSERT_EQ(Tavipac({"convert", "keyed.png", "-o", "bright.bmp", "--mask"}).exitCode, 0);
    const std::vector<std::uint32_t> bright = {0, 0, 0, 0xFFFFFF, 0, 0, 0, 0xFFFFFF};
    EXPECT_EQ(Decoded(FileBytes("bright.bmp")).pixels, bright) << "an opaque image is read as a mask picture";
    ExpectEditorForm(FileBytes("bright.bmp"));
}

TEST_F(TavipacImages, ConvertRefusesImagesLargerThanASlotAndExistingFiles)
{
    WriteBytes("wide.bmp", BuildBmpFile({321, 240, 24, false, {}, std::vector<std::uint32_t>(321 * 240, 0)}));
    TavipacRun run = Tavipac({"convert", "wide.bmp", "-o", "part.bmp"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("the largest size that fits is 320x240"), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists("part.bmp"));

    WriteBytes("fits.bmp", BuildBmpFile({320, 240, 24, false, {}, std::vector<std::uint32_t>(320 * 240, 0)}));
    ASSERT_EQ(Tavipac({"convert", "fits.bmp", "-o", "part.bmp"}).exitCode, 0);
    EXPECT_EQ(FileBytes("part.bmp").size(), 77878u);
    run = Tavipac({"convert", "fits.bmp", "-o", "part.bmp"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("use --force"), std::string::npos);

    WriteBytes("text.png", {'n', 'o', 't'});
    EXPECT_EQ(Tavipac({"convert", "text.png", "-o", "x.bmp"}).exitCode, 2);
}

TEST_F(TavipacImages, PreviewDrawsAPartAsTheEditorAndAContactSheet)
{
    const std::string umi = Utf8(u8"部屋/umi.pac");
    ASSERT_EQ(Tavipac({"preview", umi, "--slot", "4", "-o", "room.png", "--key", "F5F5F5"}).exitCode, 0);
    const std::vector<std::uint8_t> package = SamplePackage("umi.pac");
    const RgbImage expected =
        RenderPreviewPicture(SlotOf(RecordBytes(package, 4)), SlotOf(RecordBytes(package, 24)), 0xF5F5F5);
    const RgbaImage room = DecodeImage(FileBytes("room.png"));
    ASSERT_EQ(room.width, 160);
    ASSERT_EQ(room.height, 120);
    for (std::size_t i = 0; i < room.pixels.size(); ++i) {
        ASSERT_EQ(room.pixels[i] & 0xFFFFFF, expected.pixels[i]) << i;
    }

    ASSERT_EQ(Tavipac({"preview", umi, "-o", "sheet.png"}).exitCode, 0);
    const RgbaImage sheet = DecodeImage(FileBytes("sheet.png"));
    EXPECT_EQ(sheet.width, 1368);
    EXPECT_EQ(sheet.height, 750);
    EXPECT_EQ(Tavipac({"preview", umi, "--slot", "20", "-o", "x.png"}).exitCode, 2);
}

} // namespace
