// Arbitrary bytes as a picture file for "tavipac convert" (PNG, JPEG, GIF,
// TGA, BMP, run-length BMP): decoded, then turned into an 8-bit part and a
// mask, or converted as a picture and a mask picture dropped onto the editor
// are. Run with -malloc_limit_mb=64: no input may make the decoder take more
// than the decoding budget. The last byte picks dithering, the mask rule,
// whether pictures too large are shrunk and the drop's conversion.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/import/slot_pictures.h"
#include "core/picture/part_conversion.h"
#include "core/picture/picture_error.h"
#include "fuzz_check.h"
#include "store/byte_reader.h"
#include "store/part_slot.h"

namespace {
void CheckPartFile(const std::vector<std::uint8_t> &file)
{
    Check(file.size() <= SlotSize);
    Check(ReadU32LE(file, BmpField::FileSize) == file.size());
    Check(ReadU16LE(file, BmpField::BitCount) == 8);
}

void CheckDropConversion(std::span<const std::uint8_t> bytes, Oversize oversize)
{
    const SlotPartFiles files = ConvertPicture(bytes, oversize);
    CheckPartFile(*files.base);
    if (files.mask) {
        CheckPartFile(*files.mask);
    }
    CheckPartFile(ConvertMaskPicture(bytes, oversize));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::uint8_t choice = data[size - 1];
    const Oversize oversize = (choice & 4) != 0 ? Oversize::Shrink : Oversize::Refuse;
    try {
        if ((choice & 8) != 0) {
            CheckDropConversion(std::span(data, size), oversize);
            return 0;
        }
        const std::optional<RgbaImage> image = DecodePartPicture(std::span(data, size), oversize);
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
