// Arbitrary bytes as a picture file for "tavipac convert" (PNG, JPEG, GIF,
// TGA, BMP of every layout): decoded, then turned into an 8-bit part and a
// mask. Run with -malloc_limit_mb=64: no input may make the decoder take more
// than the decoding budget. The last byte picks dithering and the mask rule.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/picture/part_conversion.h"
#include "core/picture/picture_error.h"
#include "part_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[size - 1];
    try {
        const std::optional<RgbaImage> image = DecodePartPicture(std::span(data, size), Oversize::Refuse);
        if (!image) {
            return 0;
        }
        CheckPartFile(BuildPartFile(*image, (choice & 1) != 0));
        MaskRule rule;
        if ((choice & 2) != 0) {
            rule.keyColour = 0x000000;
        }
        CheckPartFile(BuildMaskFile(*image, rule));
    } catch (const PictureError &) {
    }
    return 0;
}
