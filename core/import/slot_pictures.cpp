#include "slot_pictures.h"

#include "core/picture/picture_error.h"

namespace {
RgbaImage DecodeDropped(std::span<const std::uint8_t> file, Oversize oversize)
{
    std::optional<RgbaImage> image = DecodePartPicture(file, oversize);
    if (!image)
        throw PictureError("cannot read the image: it is not a PNG, JPEG, GIF, TGA or BMP image");
    return std::move(*image);
}
} // namespace

SlotPartFiles ConvertPicture(std::span<const std::uint8_t> picture, Oversize oversize)
{
    const RgbaImage image = DecodeDropped(picture, oversize);
    SlotPartFiles files;
    files.base = BuildPartFile(image, false);
    if (HasTransparency(image))
        files.mask = BuildMaskFile(image, {});
    return files;
}

FileBytes ConvertMaskPicture(std::span<const std::uint8_t> maskPicture, Oversize oversize)
{
    return BuildMaskFile(DecodeDropped(maskPicture, oversize), {});
}
