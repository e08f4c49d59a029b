#include "core/preview_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "core/picture/bmp_builder.h"

namespace {

constexpr std::uint32_t KeyColorref = 0x00123456; // 0x00BBGGRR
constexpr std::uint32_t KeyRgb = 0x00563412;
constexpr std::size_t WidthField = 18;
constexpr std::size_t HeightField = 22;
constexpr std::size_t BitCountField = 28;

std::unique_ptr<PartSlot> SlotWith(const std::vector<std::uint8_t> &file)
{
    auto slot = std::make_unique<PartSlot>();
    std::memcpy(slot->bytes.data(), file.data(), std::min(file.size(), SlotSize));
    return slot;
}

void PutField(PartSlot &slot, std::size_t offset, std::uint32_t value, std::size_t width = 4)
{
    for (std::size_t i = 0; i < width; ++i)
        slot.bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A palette whose colours all differ, so that a wrong index shows.
std::vector<std::uint32_t> DistinctPalette()
{
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < 256; ++i)
        palette.push_back(i << 16 | (255 - i) << 8 | (i * 37 & 0xFF));
    return palette;
}

std::uint8_t PatternIndex(int x, int y)
{
    return static_cast<std::uint8_t>((x * 7 + y * 13) % 256);
}

std::unique_ptr<PartSlot> PatternBase(int width, int height)
{
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.push_back(PatternIndex(x, y));
    return SlotWith(BuildBmp8(width, height, DistinctPalette(), indices));
}

// A mask with the given colours, top-down: 24-bit, or 8-bit with a colour
// table of the distinct colours.
std::unique_ptr<PartSlot> MaskFrom(int width, int height, const std::vector<std::uint32_t> &colours,
                                   int bitCount = 8)
{
    if (bitCount == 24)
        return SlotWith(BuildBmpFile({width, height, 24, false, {}, colours}));
    std::vector<std::uint32_t> palette, indices;
    for (const std::uint32_t colour : colours) {
        const auto found = std::find(palette.begin(), palette.end(), colour);
        indices.push_back(static_cast<std::uint32_t>(found - palette.begin()));
        if (found == palette.end())
            palette.push_back(colour);
    }
    return SlotWith(BuildBmpFile({width, height, 8, false, palette, indices}));
}

std::unique_ptr<PartSlot> UniformMask(int width, int height, std::uint32_t colour, int bitCount = 8)
{
    return MaskFrom(width, height,
                    std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour), bitCount);
}

void ExpectBaseSampledEvery(const RgbImage &picture, int step)
{
    const std::vector<std::uint32_t> palette = DistinctPalette();
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            ASSERT_EQ(picture.At(x, y), palette[PatternIndex(step * x, step * y)]) << x << "," << y;
}

TEST(PreviewPicture, SizeIsKeptUpTo160By120AndHalvedOnceBeyond)
{
    struct Case {
        int width, height, previewWidth, previewHeight, step;
    };
    for (const Case c : {Case{160, 120, 160, 120, 1}, Case{161, 120, 80, 60, 2}, Case{160, 121, 80, 60, 2},
                         Case{201, 101, 100, 50, 2}, Case{640, 120, 320, 60, 2}, Case{1, 300, 0, 150, 2}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        // No mask at all, and an 8-bit black mask of the base's size.
        const std::unique_ptr<PartSlot> masks[] = {std::make_unique<PartSlot>(),
                                                   UniformMask(c.width, c.height, 0x000000)};
        for (const auto &mask : masks) {
            const RgbImage picture =
                RenderPreviewPicture(*PatternBase(c.width, c.height), *mask, KeyColorref);
            EXPECT_EQ(picture.width, c.previewWidth);
            EXPECT_EQ(picture.height, c.previewHeight);
            ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(c.previewWidth) * c.previewHeight);
            ExpectBaseSampledEvery(picture, c.step);
        }
    }
}

TEST(PreviewPicture, MaskPixelsOfAtLeastHalfBrightnessShowTheKeyColour)
{
    // 0x00CC44 is exactly half bright (587 * 204 + 114 * 68 = 127500).
    const std::vector<std::uint32_t> colours = {0x000000, 0xFFFFFF, 0x7F7F7F, 0x808080, 0xFF0000,
                                                0xFFFF00, 0x0000FF, 0x00FFFF, 0x00CC44, 0x00CC43};
    const std::vector<bool> set = {false, true, false, true, false, true, false, true, true, false};
    const std::vector<std::uint32_t> palette = DistinctPalette();
    for (const int bitCount : {8, 24}) {
        const RgbImage picture =
            RenderPreviewPicture(*PatternBase(10, 1), *MaskFrom(10, 1, colours, bitCount), KeyColorref);
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(picture.At(x, 0), set[x] ? KeyRgb : palette[PatternIndex(x, 0)])
                << "mask colour " << x << ", " << bitCount << " bits";
    }
}

TEST(PreviewPicture, MaskOfAnotherSizeIsScaledToTheBaseByNearestPixel)
{
    // A 10 x 10 checkerboard over a 100 x 100 base covers 10 x 10 blocks; a
    // 50 x 25 one over a 200 x 100 base is halved too; and one of the
    // base's own size.
    struct Case {
        int baseWidth, baseHeight, maskWidth, maskHeight, step;
    };
    for (const Case c : {Case{100, 100, 10, 10, 1}, Case{200, 100, 50, 25, 2}, Case{30, 20, 7, 3, 1},
                         Case{200, 100, 200, 100, 2}}) {
        std::vector<std::uint32_t> checker;
        for (int y = 0; y < c.maskHeight; ++y)
            for (int x = 0; x < c.maskWidth; ++x)
                checker.push_back((x + y) % 2 ? 0xFFFFFF : 0x000000);
        const RgbImage picture =
            RenderPreviewPicture(*PatternBase(c.baseWidth, c.baseHeight),
                                 *MaskFrom(c.maskWidth, c.maskHeight, checker), KeyColorref);
        const std::vector<std::uint32_t> palette = DistinctPalette();
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const int mx = c.step * x * c.maskWidth / c.baseWidth;
                const int my = c.step * y * c.maskHeight / c.baseHeight;
                const std::uint32_t expected =
                    (mx + my) % 2 ? KeyRgb : palette[PatternIndex(c.step * x, c.step * y)];
                ASSERT_EQ(picture.At(x, y), expected) << x << "," << y;
            }
    }
}

// The picture with transparency cuts out exactly what the key colour
// covers: a pixel is cut out when two key colours both show there.
TEST(PreviewPicture, PictureWithAlphaIsTransparentWhereTheKeyColourWouldBe)
{
    const std::vector<std::uint32_t> colours = {0x000000, 0xFFFFFF, 0x808080, 0x7F7F7F, 0xFFFF00};
    struct Case {
        std::unique_ptr<PartSlot> base, mask;
    };
    Case cases[] = {{PatternBase(5, 1), MaskFrom(5, 1, colours)},
                    {PatternBase(30, 20), MaskFrom(5, 1, colours, 24)},
                    {PatternBase(322, 3), MaskFrom(5, 1, colours)},
                    {PatternBase(7, 5), std::make_unique<PartSlot>()}};
    constexpr std::uint32_t OtherKeyColorref = 0x00ABCDEF;
    for (const Case &c : cases) {
        const RgbImage keyed = RenderPreviewPicture(*c.base, *c.mask, KeyColorref);
        const RgbImage other = RenderPreviewPicture(*c.base, *c.mask, OtherKeyColorref);
        RgbImage alpha;
        RenderPreviewWithAlpha(*c.base, *c.mask, alpha);
        ASSERT_EQ(alpha.width, keyed.width);
        ASSERT_EQ(alpha.pixels.size(), keyed.pixels.size());
        for (std::size_t i = 0; i < keyed.pixels.size(); ++i) {
            const bool cut = keyed.pixels[i] != other.pixels[i];
            ASSERT_EQ(alpha.pixels[i], cut ? 0u : 0xFF000000u | keyed.pixels[i])
                << i << " of " << keyed.width;
        }
    }
}

TEST(PreviewPicture, RowsAreStoredBottomUpUnlessTheHeightIsNegative)
{
    const std::vector<std::uint32_t> palette = {0x000000, 0x112233, 0xA0B0C0};
    // Top row index 1, bottom row index 2.
    const std::vector<std::uint32_t> indices = {1, 1, 2, 2};
    const auto bottomUp = SlotWith(BuildBmpFile({2, 2, 8, false, palette, indices}));
    EXPECT_EQ(bottomUp->bytes[1078], 2) << "the first stored row is the bottom row";
    EXPECT_EQ(bottomUp->bytes[54 + 4], 0x33) << "colour table entries are blue, green, red, unused";
    const auto topDown = SlotWith(BuildBmpFile({2, 2, 8, true, palette, indices}));
    EXPECT_EQ(Height(*topDown), -2);

    const auto white = UniformMask(2, 1, 0xFFFFFF, 24);
    // Top row white, bottom row black, stored top-down.
    const auto topWhite = SlotWith(BuildBmpFile({2, 2, 8, true, {0x000000, 0xFFFFFF}, {1, 1, 0, 0}}));
    for (const PartSlot *slot : {bottomUp.get(), topDown.get()}) {
        const std::optional<RgbImage> image = DecodeSlotImage(*slot);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{0x112233, 0x112233, 0xA0B0C0, 0xA0B0C0}));
        // A one-row mask stretched over both rows.
        const RgbImage masked = RenderPreviewPicture(*slot, *white, KeyColorref);
        EXPECT_EQ(masked.pixels, std::vector<std::uint32_t>(4, KeyRgb));
        const RgbImage topMasked = RenderPreviewPicture(*slot, *topWhite, KeyColorref);
        EXPECT_EQ(topMasked.pixels, (std::vector<std::uint32_t>{KeyRgb, KeyRgb, 0xA0B0C0, 0xA0B0C0}));
    }
}

TEST(PreviewPicture, DecodesOneFourTwentyFourAndThirtyTwoBitImages)
{
    constexpr int Width = 13, Height = 3; // odd widths exercise the row padding
    for (const int bitCount : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bitCount);
        std::vector<std::uint32_t> palette;
        std::vector<std::uint32_t> pixels, expected;
        if (bitCount <= 8)
            for (std::uint32_t i = 0; i < (1u << bitCount); ++i)
                palette.push_back(0x010203 * (i + 1));
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                if (bitCount <= 8) {
                    const std::uint32_t index = static_cast<std::uint32_t>(x * 3 + y) % (1u << bitCount);
                    pixels.push_back(index);
                    expected.push_back(palette[index]);
                } else {
                    const std::uint32_t rgb =
                        static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y) << 8 | 0x80;
                    pixels.push_back(rgb);
                    expected.push_back(rgb);
                }
            }
        const auto slot = SlotWith(BuildBmpFile({Width, Height, bitCount, bitCount == 4, palette, pixels}));
        const std::optional<RgbImage> image = DecodeSlotImage(*slot);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, Width);
        EXPECT_EQ(image->height, Height);
        EXPECT_EQ(image->pixels, expected);
        EXPECT_EQ(RenderPreviewPicture(*slot, PartSlot{}, KeyColorref).pixels, expected);
    }
}

TEST(PreviewPicture, HeadersThatDoNotFitTheSlotGiveNoPicture)
{
    const auto fits = PatternBase(320, 240);
    ASSERT_TRUE(DecodeSlotImage(*fits));
    struct Lie {
        const char *what;
        std::size_t field;
        std::uint32_t value;
        std::size_t width;
    };
    for (const Lie lie :
         {Lie{"one row too many", HeightField, 241, 4}, Lie{"rows too wide", WidthField, 321, 4},
          Lie{"negative width", WidthField, static_cast<std::uint32_t>(-5), 4},
          Lie{"zero width", WidthField, 0, 4}, Lie{"zero height", HeightField, 0, 4},
          Lie{"too many top-down rows", HeightField, static_cast<std::uint32_t>(-241), 4},
          Lie{"lowest height", HeightField, static_cast<std::uint32_t>(INT_MIN), 4},
          Lie{"huge width", WidthField, 0x7FFFFFFF, 4}, Lie{"huge height", HeightField, 0x7FFFFFFF, 4},
          Lie{"16 bits", BitCountField, 16, 2}, Lie{"24 bits", BitCountField, 24, 2},
          Lie{"2 bits", BitCountField, 2, 2}, Lie{"65535 bits", BitCountField, 0xFFFF, 2}}) {
        SCOPED_TRACE(lie.what);
        auto slot = PatternBase(320, 240);
        PutField(*slot, lie.field, lie.value, lie.width);
        EXPECT_FALSE(DecodeSlotImage(*slot));
        const RgbImage picture = RenderPreviewPicture(*slot, *UniformMask(4, 4, 0), KeyColorref);
        EXPECT_EQ(picture.width, 0);
        EXPECT_EQ(picture.height, 0);
        EXPECT_TRUE(picture.pixels.empty());
        // The same lie in a mask leaves the base whole.
        const RgbImage unmasked = RenderPreviewPicture(*PatternBase(16, 8), *slot, KeyColorref);
        ASSERT_EQ(unmasked.width, 16);
        ExpectBaseSampledEvery(unmasked, 1);
    }
    EXPECT_FALSE(DecodeSlotImage(PartSlot{})) << "a slot no package has filled";
}

// One buffer for one picture after another, as the editor renders them:
// each comes out as a fresh rendering would, and none after the largest
// needs more memory.
TEST(PreviewPicture, PictureRenderedIntoAnEarlierOnesBufferIsTheSameAsAFreshOne)
{
    const std::vector<std::uint32_t> colours = {0x000000, 0xFFFFFF, 0x808080, 0xFFFF00};
    struct Case {
        std::unique_ptr<PartSlot> base, mask;
    };
    Case cases[] = {{PatternBase(320, 240), UniformMask(320, 240, 0xFFFFFF)},
                    {PatternBase(30, 20), MaskFrom(4, 1, colours, 24)},
                    {PatternBase(161, 2), MaskFrom(4, 1, colours)},
                    {std::make_unique<PartSlot>(), UniformMask(4, 4, 0)},
                    {PatternBase(7, 5), std::make_unique<PartSlot>()}};
    RgbImage picture;
    RenderPreviewPicture(*cases[0].base, *cases[0].mask, KeyColorref, picture);
    const std::uint32_t *buffer = picture.pixels.data();
    for (const Case &c : cases) {
        RenderPreviewPicture(*c.base, *c.mask, KeyColorref, picture);
        const RgbImage fresh = RenderPreviewPicture(*c.base, *c.mask, KeyColorref);
        EXPECT_EQ(picture.width, fresh.width);
        EXPECT_EQ(picture.height, fresh.height);
        EXPECT_EQ(picture.pixels, fresh.pixels) << fresh.width << "x" << fresh.height;
        EXPECT_EQ(picture.pixels.data(), buffer);
    }
}

TEST(PreviewPicture, LargestImagesOfEachDepthThatFitAreDecoded)
{
    // 24 bits: 3242 rows of 24 bytes fit after the 54 header bytes, 3243 do not.
    const auto deep =
        SlotWith(BuildBmpFile({8, 3242, 24, false, {}, std::vector<std::uint32_t>(8 * 3242, 0x445566)}));
    const std::optional<RgbImage> image = DecodeSlotImage(*deep);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels.back(), 0x445566u);
    PutField(*deep, HeightField, 3243);
    EXPECT_FALSE(DecodeSlotImage(*deep));
}

} // namespace
