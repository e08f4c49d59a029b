// Times what dropping a picture onto the editor costs before any file is
// written: the picture decoded and made an 8-bit part and its mask. Three
// pictures: a full-colour 320 x 240 PNG with transparency, whose every pixel
// has a colour of its own (the quantiser's worst case); a 1280 x 960 PNG
// shrunk to fit; and the largest picture that is decoded to be shrunk at all,
// a 2048 x 2048 run-length TGA file of about 130 kilobytes, which bounds
// the time any dropped file can take. The baseline of each is copying its
// decoded pixel bytes, measured in the same run.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "bench/best_time.h"
#include "bench/build_description.h"
#include "core/import/slot_pictures.h"
#include "core/picture/image_codec.h"

namespace {

constexpr int Rounds = 5;

// Random colours; the pixels of a ring around the middle transparent.
RgbaImage PhotoPicture(int width, int height)
{
    std::mt19937 random(2026);
    RgbaImage picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width / 2;
            const int dy = y - height / 2;
            const bool cutOut = dx * dx + dy * dy > width * height / 8;
            const std::uint32_t alpha = cutOut ? 0 : 0xFF;
            picture.pixels[static_cast<std::size_t>(y) * width + x] = alpha << 24 | (random() & 0xFFFFFF);
        }
    return picture;
}

// A true-colour run-length TGA file: runs of 128 pixels, the colour changing
// from run to run.
std::vector<std::uint8_t> RunLengthTga(int width, int height)
{
    constexpr std::uint8_t RunLengthTrueColour = 10;
    constexpr std::uint8_t LongestRun = 0x80 | 127;
    std::vector<std::uint8_t> file = {0, 0, RunLengthTrueColour, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (const int side : {width, height}) {
        file.push_back(static_cast<std::uint8_t>(side & 0xFF));
        file.push_back(static_cast<std::uint8_t>(side >> 8));
    }
    file.push_back(24);
    file.push_back(0x20); // rows top-down
    const std::size_t runs = static_cast<std::size_t>(width) * height / 128;
    for (std::size_t run = 0; run < runs; ++run) {
        file.push_back(LongestRun);
        for (const int shift : {0, 8, 16})
            file.push_back(static_cast<std::uint8_t>((run * 2654435761u) >> shift));
    }
    return file;
}

void TimeDrop(const char *what, const std::vector<std::uint8_t> &file, int width, int height,
              Oversize oversize)
{
    std::size_t checksum = 0;
    const double drop = BestMicroseconds(Rounds, [&] {
        const SlotPartFiles files = ConvertPicture(file, oversize);
        checksum += files.base->size() + (files.mask ? files.mask->size() : 0);
    });
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    const std::vector<std::uint8_t> source(bytes, 1);
    std::vector<std::uint8_t> target(bytes);
    const double copy = BestMicroseconds(Rounds, [&] {
        std::memcpy(target.data(), source.data(), bytes);
        checksum += target[bytes / 2];
    });
    std::printf("%-58s %8.1f ms   memcpy of its %zu pixel bytes %6.2f ms = %5.0fx   (file %zu bytes, "
                "checksum %zu)\n",
                what, drop / 1e3, bytes, copy / 1e3, drop / copy, file.size(), checksum);
}

} // namespace

int main()
{
    PrintBuildDescription();
    std::printf("a dropped picture decoded and made a part and its mask, best of %d rounds\n", Rounds);
    TimeDrop("320 x 240 PNG, a colour per pixel, transparency", EncodePng(PhotoPicture(320, 240)), 320, 240,
             Oversize::Refuse);
    TimeDrop("1280 x 960 PNG, a colour per pixel, shrunk to 320 x 240", EncodePng(PhotoPicture(1280, 960)),
             1280, 960, Oversize::Shrink);
    TimeDrop("2048 x 2048 run-length TGA, shrunk (the largest decoded)", RunLengthTga(2048, 2048), 2048, 2048,
             Oversize::Shrink);
    return 0;
}
