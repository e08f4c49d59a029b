// Times one full parts display of a maximal room: the previews of all
// nineteen part slots, each a 320 x 240 part with a finely detailed mask.
// The baseline is copying the same number of pixel bytes, measured in the
// same run.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench/best_time.h"
#include "bench/build_description.h"
#include "core/picture/bmp_builder.h"
#include "core/preview_picture.h"
#include "core/slot_map.h"

namespace {

constexpr int PartWidth = 320;
constexpr int PartHeight = 240;
constexpr int Rounds = 300;
constexpr std::uint32_t KeyColour = 0x00F5F5F5;

struct Room {
    std::unique_ptr<PartBank> base = std::make_unique<PartBank>();
    std::unique_ptr<PartBank> mask = std::make_unique<PartBank>();
};

std::vector<std::uint32_t> RandomValues(std::mt19937 &random, std::size_t count, std::uint32_t limit)
{
    std::uniform_int_distribution<std::uint32_t> pick(0, limit - 1);
    std::vector<std::uint32_t> values(count);
    for (std::uint32_t &v : values)
        v = pick(random);
    return values;
}

void PutImage(PartSlot &slot, const std::vector<std::uint8_t> &file)
{
    std::memcpy(slot.bytes.data(), file.data(), std::min(file.size(), SlotSize));
}

// Random pixels over a random colour table: every mask pixel is black, white
// or a grey, so the mask changes at almost every pixel.
Room MaximalRoom()
{
    std::mt19937 random(2026);
    const std::size_t pixels = static_cast<std::size_t>(PartWidth) * PartHeight;
    Room room;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const std::vector<std::uint32_t> palette = RandomValues(random, 256, 0x1000000);
        PutImage((*room.base)[slot],
                 BuildBmpFile({PartWidth, PartHeight, 8, false, palette, RandomValues(random, pixels, 256)}));
        std::vector<std::uint32_t> greys;
        for (std::uint32_t v = 0; v < 256; ++v)
            greys.push_back(v * 0x010101);
        PutImage((*room.mask)[slot],
                 BuildBmpFile({PartWidth, PartHeight, 8, false, greys, RandomValues(random, pixels, 256)}));
    }
    return room;
}

} // namespace

int main()
{
    PrintBuildDescription();
    const Room room = MaximalRoom();
    std::vector<int> previewSlots;
    for (int slot = 0; slot < SlotCount; ++slot)
        if (SlotControlIds[slot] != NoControl)
            previewSlots.push_back(slot);

    std::size_t checksum = 0;
    const double display = BestMicroseconds(Rounds, [&] {
        for (const int slot : previewSlots) {
            const RgbImage picture = RenderPreviewPicture((*room.base)[slot], (*room.mask)[slot], KeyColour);
            checksum += picture.pixels[picture.pixels.size() / 2];
        }
    });

    const std::size_t bytes = previewSlots.size() * PartWidth * PartHeight;
    const std::vector<std::uint8_t> source(bytes, 1);
    std::vector<std::uint8_t> target(bytes);
    const double copy = BestMicroseconds(Rounds, [&] {
        std::memcpy(target.data(), source.data(), bytes);
        checksum += target[bytes / 2];
    });

    std::printf("full parts display (%zu previews of %dx%d parts): %.1f us\n", previewSlots.size(), PartWidth,
                PartHeight, display);
    std::printf("baseline memcpy of %zu bytes: %.1f us\n", bytes, copy);
    std::printf("ratio: %.1fx (goal: within 10x)\n", display / copy);
    std::printf("(checksum %zu)\n", checksum);
    return 0;
}
