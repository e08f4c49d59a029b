// Arbitrary bytes as a picture dropped onto the editor (or given to "tavipac
// import" and "convert --fit"): converted as a slot's picture with the mask of
// its transparency, and as a mask picture, with pictures too large for a slot
// shrunk or refused as the last byte says. Run with -malloc_limit_mb=64.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/import/slot_pictures.h"
#include "core/picture/picture_error.h"
#include "fuzz_check.h"
#include "part_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::span<const std::uint8_t> bytes(data, size);
    const Oversize oversize = (data[size - 1] & 1) != 0 ? Oversize::Shrink : Oversize::Refuse;
    try {
        const SlotPartFiles files = ConvertPicture(bytes, oversize);
        CheckPartFile(*files.base);
        if (files.mask) {
            CheckPartFile(*files.mask);
        }
        CheckPartFile(ConvertMaskPicture(bytes, oversize));
    } catch (const PictureError &) {
    }
    return 0;
}
