// Arbitrary bytes as a base slot and a mask slot, drawn as the editor's
// preview picture. Each slot is an allocation of its own, so that a read
// outside it is a sanitizer report. The first byte splits the input: that
// many sixty-fourths go to the base, the rest to the mask.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/preview_picture.h"
#include "fuzz_check.h"

namespace {
constexpr std::uint32_t KeyColour = 0x00F0F0F0;
constexpr std::size_t SplitSteps = 64;

void Fill(PartSlot &slot, const std::uint8_t *bytes, std::size_t count)
{
    slot.bytes.fill(0);
    std::memcpy(slot.bytes.data(), bytes, std::min(count, SlotSize));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const auto base = std::make_unique<PartSlot>();
    static const auto mask = std::make_unique<PartSlot>();
    static RgbImage picture;
    const std::size_t rest = size - 1;
    const std::size_t baseBytes = rest * (data[0] % (SplitSteps + 1)) / SplitSteps;
    Fill(*base, data + 1, baseBytes);
    Fill(*mask, data + 1 + baseBytes, rest - baseBytes);

    RenderPreviewPicture(*base, *mask, KeyColour, picture);
    Check(picture.width >= 0 && picture.height >= 0);
    Check(picture.pixels.size() >= static_cast<std::size_t>(picture.width) * picture.height);
    if (picture.width > 0) {
        Check(picture.width <= std::max(Width(*base), PreviewMaxWidth));
    }
    return 0;
}
