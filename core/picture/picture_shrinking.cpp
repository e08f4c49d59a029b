#include "picture_shrinking.h"

#include <algorithm>
#include <cmath>

#include "decoder_memory.h"
#include "part_conversion.h"
#include "picture_error.h"
#include "stb_implementation.h"

namespace {

constexpr int Channels = 4;
constexpr int AlphaChannel = 3;
// The scaler prepares its filters with work that grows with the product of
// the old and the new length of each side; this bounds the time a picture
// can take. Real pictures need a small fraction (4000 x 3000 down to
// 320 x 240 takes 2 million); only long thin strips come near it.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Fuzzing takes the same paths with less, so that every input is quick.
constexpr std::uint64_t LargestScalingWork = 2'000'000;
#else
constexpr std::uint64_t LargestScalingWork = 32'000'000;
#endif

std::uint64_t ScalingWork(const RgbaImage &picture, const ImageSize &size)
{
    return static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(size.width) +
           static_cast<std::uint64_t>(picture.height) * static_cast<std::uint64_t>(size.height);
}

// The other side for a length of the longer one, in proportion.
int ProportionalSide(int longer, int otherOriginal, int longerOriginal)
{
    const double side = std::round(static_cast<double>(otherOriginal) * longer / longerOriginal);
    return std::max(1, static_cast<int>(side));
}

ImageSize SizeForLongerSide(const ImageSize &size, int longer)
{
    if (size.width >= size.height)
        return {longer, ProportionalSide(longer, size.height, size.width)};
    return {ProportionalSide(longer, size.width, size.height), longer};
}

} // namespace

ImageSize FittingSize(const ImageSize &size)
{
    // The longer side that fits is found by halving the range: a longer
    // side never makes a smaller file.
    int fitting = 1;
    int tooLarge = std::max(size.width, size.height) + 1;
    while (tooLarge - fitting > 1) {
        const int middle = fitting + (tooLarge - fitting) / 2;
        if (FitsSlot(SizeForLongerSide(size, middle)))
            fitting = middle;
        else
            tooLarge = middle;
    }
    return SizeForLongerSide(size, fitting);
}

RgbaImage ShrinkPicture(const RgbaImage &picture, const ImageSize &size)
{
    if (ScalingWork(picture, size) > LargestScalingWork)
        throw PictureTooLargeError("cannot shrink the image: it is too long and thin to be scaled down");
    const std::vector<std::uint8_t> input = RgbaBytes(picture.pixels);
    std::vector<std::uint8_t> output(static_cast<std::size_t>(size.width) * size.height * Channels);
    const DecoderMemoryScope memory;
    if (!stbir_resize_uint8_srgb(input.data(), picture.width, picture.height, 0, output.data(), size.width,
                                 size.height, 0, Channels, AlphaChannel, 0))
        throw PictureTooLargeError(OverBudgetReason("shrink"));
    return {size.width, size.height, PixelsOfRgbaBytes(output.data(), output.size() / Channels)};
}
