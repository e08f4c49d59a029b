// What the browser tests compare the page with, straight from the core:
//   tavi_browser_reference preview PACKAGE
//     one line per preview slot (0-19 without 14): "SLOT WIDTH HEIGHT RGBA"
//     with the preview picture as hexadecimal RGBA bytes, rows top-down,
//     alpha 0 and RGB 0 where the mask cuts out
//   tavi_browser_reference message record-not-8-bit SLOT | part-not-8-bit NAME
//     the editor's message, as UTF-8
//   tavi_browser_reference convert-time PICTURE
//     the build, then the best time of a dropped picture's conversion in ms
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/best_time.h"
#include "bench/build_description.h"
#include "core/import/slot_pictures.h"
#include "core/messages.h"
#include "core/preview_picture.h"
#include "file_bytes.h"
#include "package_loading.h"
#include "paths.h"
#include "store/code_page.h"
#include "core/slot_map.h"

namespace {

// Two renders with opposite key colours tell the cut-out pixels apart: only
// they take the key colour in both.
constexpr std::uint32_t BlackKey = 0x000000;
constexpr std::uint32_t WhiteKey = 0xFFFFFF;
constexpr int ConversionRounds = 5;
constexpr std::size_t PictureFileLimit = 64 << 20;

void PrintPreview(int slot, const PartSlot &base, const PartSlot &mask)
{
    const RgbImage onBlack = RenderPreviewPicture(base, mask, BlackKey);
    const RgbImage onWhite = RenderPreviewPicture(base, mask, WhiteKey);
    std::printf("%d %d %d ", slot, onBlack.width, onBlack.height);
    for (std::size_t i = 0; i < onBlack.pixels.size(); ++i) {
        const bool cutOut = onBlack.pixels[i] == BlackKey && onWhite.pixels[i] == WhiteKey;
        const std::uint32_t rgb = cutOut ? 0 : onBlack.pixels[i];
        std::printf("%06x%s", rgb, cutOut ? "00" : "ff");
    }
    std::printf("\n");
}

int Preview(const std::string &package)
{
    const auto loaded = LoadPackage(StorePath(package), std::cerr);
    for (int slot = 0; slot < SlotCount; ++slot)
        if (SlotControlIds[static_cast<std::size_t>(slot)] != NoControl)
            PrintPreview(slot, loaded->banks.WorkBase[static_cast<std::size_t>(slot)],
                         loaded->banks.WorkMask[static_cast<std::size_t>(slot)]);
    return 0;
}

int Message(const std::string &kind, const std::string &argument)
{
    std::string text;
    if (kind == "record-not-8-bit")
        text = NotEightBitRecordMessage(std::stoi(argument));
    else if (kind == "part-not-8-bit")
        text = PartNotEightBitMessage(*ConvertUtf8ToCp932(argument));
    else
        return 2;
    std::cout << *ConvertCp932ToUtf8(text);
    return 0;
}

int ConvertTime(const std::string &picture)
{
    const std::vector<std::uint8_t> file = ReadFileBytes(StorePath(picture), PictureFileLimit);
    PrintBuildDescription();
    std::size_t checksum = 0;
    const double best = BestMicroseconds(ConversionRounds, [&] {
        const SlotPartFiles files = ConvertPicture(file, Oversize::Refuse);
        checksum += files.base->size();
    });
    std::printf("%.2f ms (best of %d, checksum %zu)\n", best / 1e3, ConversionRounds, checksum);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 2 && arguments[0] == "preview")
        return Preview(arguments[1]);
    if (arguments.size() == 3 && arguments[0] == "message")
        return Message(arguments[1], arguments[2]);
    if (arguments.size() == 2 && arguments[0] == "convert-time")
        return ConvertTime(arguments[1]);
    std::fprintf(stderr, "usage: tavi_browser_reference preview PACKAGE | message KIND ARGUMENT | "
                         "convert-time PICTURE\n");
    return 2;
}
