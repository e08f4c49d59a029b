#include "part_conversion.h"

#include <algorithm>

#include "decoder_memory.h"
#include "picture_error.h"
#include "picture_shrinking.h"
#include "quantiser.h"
#include "store/part_slot.h"
#include "bmp_builder.h"
#include "core/brightness.h"

namespace {

constexpr std::uint64_t EightBitPixelOffset = BmpField::ColourTable + 256 * BmpColourEntrySize;
constexpr int LargestFittingWidth = 320;
constexpr int LargestFittingHeight = 240;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint8_t KeptIndex = 0;
constexpr std::uint8_t CutOutIndex = 1;
constexpr std::uint32_t HalfOpaque = 128;
// A picture to be shrunk is decoded only when its pixels take at most half
// the decoding budget: the copy made from the decoder's output, and the
// scaler's input made from that, must fit beside it in 64 MiB. Such a
// picture (2048 x 2048 at most) takes a fraction of a second.
constexpr std::uint64_t DecodedPixelBytes = 4;
constexpr std::uint64_t LargestShrunkPixels = DecoderMemoryBudget / 2 / DecodedPixelBytes;

std::uint32_t Alpha(std::uint32_t pixel)
{
    return pixel >> 24;
}

} // namespace

std::uint64_t EightBitFileSize(int width, int height)
{
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
    return EightBitPixelOffset + stride * static_cast<std::uint64_t>(height);
}

bool FitsSlot(const ImageSize &size)
{
    return size.width > 0 && size.height > 0 && EightBitFileSize(size.width, size.height) <= SlotSize;
}

void RequireFitsSlot(const ImageSize &size)
{
    if (size.width <= 0 || size.height <= 0) {
        throw PictureError("the image has no pixels");
    }
    const std::uint64_t fileSize = EightBitFileSize(size.width, size.height);
    if (fileSize > SlotSize) {
        throw PictureTooLargeError("a " + std::to_string(size.width) + "x" + std::to_string(size.height) +
                                   " image makes an 8-bit file of " + std::to_string(fileSize) +
                                   " bytes, but a part holds at most " + std::to_string(SlotSize) +
                                   " bytes; the largest size that fits is " +
                                   std::to_string(LargestFittingWidth) + "x" +
                                   std::to_string(LargestFittingHeight) +
                                   " (in general: the rows, each padded to a multiple of 4 bytes, may "
                                   "take at most " +
                                   std::to_string(SlotSize - EightBitPixelOffset) + " bytes)");
    }
}

std::optional<RgbaImage> DecodePartPicture(std::span<const std::uint8_t> file, Oversize oversize)
{
    const std::optional<ImageSize> size = ProbeImageSize(file);
    if (!size) {
        return std::nullopt;
    }
    if (oversize == Oversize::Refuse || size->width <= 0 || size->height <= 0 || FitsSlot(*size)) {
        RequireFitsSlot(*size);
        return DecodeImage(file);
    }
    if (static_cast<std::uint64_t>(size->width) * static_cast<std::uint64_t>(size->height) >
        LargestShrunkPixels) {
        throw PictureTooLargeError(OverBudgetReason("read"));
    }
    const RgbaImage decoded = DecodeImage(file);
    const ImageSize decodedSize{decoded.width, decoded.height};
    return FitsSlot(decodedSize) ? decoded : ShrinkPicture(decoded, FittingSize(decodedSize));
}

std::vector<std::uint8_t> BuildPartFile(const RgbaImage &image, bool dither)
{
    RequireFitsSlot({image.width, image.height});
    const IndexedPicture picture = QuantisePicture(image.width, image.height, image.pixels, dither);
    return BuildBmp8(image.width, image.height, picture.palette, picture.indices);
}

bool HasTransparency(const RgbaImage &image)
{
    return std::any_of(image.pixels.begin(), image.pixels.end(),
                       [](std::uint32_t p) { return Alpha(p) < HalfOpaque; });
}

std::vector<std::uint8_t> BuildMaskFile(const RgbaImage &image, const MaskRule &rule)
{
    RequireFitsSlot({image.width, image.height});
    const bool hasTransparency = HasTransparency(image);
    std::vector<std::uint8_t> indices;
    indices.reserve(image.pixels.size());
    for (const std::uint32_t pixel : image.pixels) {
        const bool cutOut = rule.keyColour    ? (pixel & White) == *rule.keyColour
                            : hasTransparency ? Alpha(pixel) < HalfOpaque
                                              : IsAtLeastHalfBright(pixel);
        indices.push_back(cutOut ? CutOutIndex : KeptIndex);
    }
    return BuildBmp8(image.width, image.height, {Black, White}, indices);
}
