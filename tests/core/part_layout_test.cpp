// Part files in the layouts painting programs write, made into the slot
// layout, and loaded so as a choice in a part combo box loads them.
#include "core/part_layout.h"
#include "file_image_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/part_loading.h"
#include "core/picture/bmp_builder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t Version4 = 108;
constexpr std::uint32_t Version5 = 124;

// 13 x 7 pixels (rows padded) in short runs of 40 colours (16 for 4 bits).
BmpImage Picture(int bitCount)
{
    const std::uint32_t colours = bitCount == 8 ? 40 : 16;
    BmpImage image{13, 7, bitCount, false, {}, {}};
    for (std::uint32_t i = 0; i < colours; ++i)
        image.palette.push_back(i * 0x050301 ^ 0x806040);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(static_cast<std::uint32_t>(x / 3 + y * 5) % colours);
    return image;
}

// The headers of a canonical file with an info header of infoSize bytes and
// a colour table of colours entries, followed by the pixel data given.
Bytes LaidOut(const Bytes &canonical, std::uint32_t infoSize, std::size_t colours, std::uint32_t compression,
              const Bytes &pixels)
{
    const std::size_t tableStart = 14 + infoSize;
    const std::size_t pixelOffset = tableStart + 4 * colours;
    Bytes file(pixelOffset + pixels.size(), 0);
    std::copy_n(canonical.begin(), 54, file.begin());
    std::copy_n(canonical.begin() + 54, 4 * colours, file.begin() + static_cast<std::ptrdiff_t>(tableStart));
    std::copy(pixels.begin(), pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(pixelOffset));
    PutU32(file, 10, pixelOffset);
    PutU32(file, 2, file.size());
    PutU32(file, 14, infoSize);
    PutU32(file, 30, compression);
    PutU32(file, 46, colours);
    return file;
}

Bytes PixelRows(const Bytes &canonical, int bitCount)
{
    return Bytes(canonical.begin() + 54 + (4 << bitCount), canonical.end());
}

Bytes RunLengthEncoded(const BmpImage &image, std::uint32_t infoSize, const Bytes &runs)
{
    return LaidOut(BuildBmpFile(image), infoSize, std::size_t{1} << image.bitCount,
                   image.bitCount == 8 ? 1 : 2, runs);
}

} // namespace

TEST(PartLayout, OtherLayoutsBecomeTheCanonicalFilePixelForPixel)
{
    const BmpImage picture = Picture(8);
    const Bytes canonical = BuildBmpFile(picture);
    BmpImage topDown = picture;
    topDown.topDown = true;
    const BmpImage fourBit = Picture(4);
    const struct {
        const char *what;
        Bytes file;
        Bytes expected;
    } cases[] = {
        {"version 5, 40 colours", LaidOut(canonical, Version5, 40, 0, PixelRows(canonical, 8)), canonical},
        {"version 5, RLE8", RunLengthEncoded(picture, Version5, Runs(picture)), canonical},
        {"rows top-down", BuildBmpFile(topDown), canonical},
        {"version 4, RLE4", RunLengthEncoded(fourBit, Version4, Runs(fourBit)), BuildBmpFile(fourBit)},
    };
    for (const auto &layout : cases)
        EXPECT_EQ(InSlotLayout(layout.file), layout.expected) << layout.what;

    EXPECT_EQ(InSlotLayout(canonical), canonical);
    Bytes fullTableShortCount = canonical;
    PutU32(fullTableShortCount, 46, 40);
    EXPECT_EQ(InSlotLayout(fullTableShortCount), fullTableShortCount) << "pixels where the slots read them";
    Bytes offsetIgnored = canonical;
    PutU32(offsetIgnored, 10, 0);
    EXPECT_EQ(InSlotLayout(offsetIgnored), offsetIgnored) << "the slots never read the pixel offset";
}

TEST(PartLayout, RunsPastTheImageAreCutOffAndDamagedFilesStayAsTheyAre)
{
    const BmpImage picture = Picture(8);
    // The bottom row: a run past its end, a move right past it and down
    // past the top; no end of bitmap.
    const Bytes overrunning = RunLengthEncoded(picture, Version5, {20, 5, 0, 2, 200, 0, 0, 2, 0, 200});
    BmpImage expected{13, 7, 8, false, picture.palette, std::vector<std::uint32_t>(13 * 7, 0)};
    std::fill(expected.pixels.end() - 13, expected.pixels.end(), 5);
    EXPECT_EQ(InSlotLayout(overrunning), BuildBmpFile(expected));

    const Bytes canonical = BuildBmpFile(picture);
    Bytes topDownRuns = RunLengthEncoded(picture, Version5, Runs(picture));
    PutU32(topDownRuns, 22, static_cast<std::uint32_t>(-7));
    Bytes deep = LaidOut(canonical, Version5, 0, 0, Bytes(13 * 3 * 7 + 7, 0));
    deep[28] = 24;
    const Bytes kept[] = {
        RunLengthEncoded(picture, Version5, {13, 5, 0, 0}),        // rows missing
        RunLengthEncoded(picture, Version5, {0, 200, 1, 2, 3, 4}), // absolute run cut short
        LaidOut(canonical, Version5, 40, 0, Bytes(13 * 7, 1)),     // rows cut short
        topDownRuns,
        deep,
    };
    for (const Bytes &file : kept)
        EXPECT_EQ(InSlotLayout(file), file);

    BmpImage large = picture;
    large.width = 400;
    large.height = 300;
    EXPECT_EQ(InSlotLayout(RunLengthEncoded(large, Version5, {0, 1})), std::nullopt)
        << "too large for a slot";
}

TEST(PartLayout, AChoiceLoadsBaseAndMaskInTheSlotLayout)
{
    const auto banks = std::make_unique<ImageBanks>();
    const BmpImage picture = Picture(8);
    BmpImage mask = picture;
    mask.topDown = true;
    BmpImage large = picture;
    large.width = 400;
    large.height = 300;
    PartFilesInMemory collection;
    collection.files["04x.bmp"] = RunLengthEncoded(picture, Version5, Runs(picture));
    collection.files["24x.bmp"] = BuildBmpFile(mask);
    collection.files["04big.bmp"] = RunLengthEncoded(large, Version5, {0, 1});
    collection.files["12x.bmp"] = BuildBmpFile(picture);
    collection.files["32x.bmp"] = RunLengthEncoded(large, Version5, {0, 1});

    ASSERT_EQ(LoadPartFromCollectionFiles(*banks, 4, "x.bmp", collection).outcome, PartLoadOutcome::Loaded);
    mask.topDown = false;
    const Bytes expectedBase = BuildBmpFile(picture);
    const Bytes expectedMask = BuildBmpFile(mask);
    EXPECT_TRUE(std::equal(expectedBase.begin(), expectedBase.end(), banks->WorkBase[4].bytes.begin()));
    EXPECT_TRUE(std::equal(expectedMask.begin(), expectedMask.end(), banks->WorkMask[4].bytes.begin()));

    const PartSlot maskBefore = banks->WorkMask[4];
    EXPECT_EQ(LoadPartFromCollectionFiles(*banks, 4, "big.bmp", collection).outcome,
              PartLoadOutcome::TooLarge);
    EXPECT_EQ(banks->WorkBase[4].bytes, banks->SavedBase[4].bytes);
    EXPECT_EQ(banks->WorkMask[4].bytes, maskBefore.bytes);
    const PartLoadResult result = LoadPartFromCollectionFiles(*banks, 12, "x.bmp", collection);
    EXPECT_EQ(result.outcome, PartLoadOutcome::MaskTooLarge);
    EXPECT_EQ(result.fileName, "32x.bmp");
}
