// "preview": one part as the editor shows it, or a contact sheet of all
// forty images, as a PNG picture.
#include "colour_option.h"
#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "contact_sheet.h"
#include "exit_codes.h"
#include "file_bytes.h"
#include "core/picture/image_codec.h"
#include "package_loading.h"
#include "paths.h"
#include "store/part_image_store.h"
#include "core/two_digits.h"

const std::u8string_view PreviewHelp =
    u8R"HELP(usage: tavipac preview PACKAGE [--slot N] -o FILE.png [--key RRGGBB] [--force]

Draws a PNG picture of a package.

  --slot N        the part of slot N (0-19) as the editor's preview shows it:
                  the mask applied (the key colour where the mask is not
                  black), halved when wider than 160 or higher than 120
  --key RRGGBB    the key colour, the dialog background (default F0F0F0)
  -o, --output    the PNG file to write
  --force         replace an existing file

Without --slot: a contact sheet of all forty images, each base image beside
its mask and labelled with its number (00-19 and 20-39); large images are
shrunk to fit, images that cannot be shown are crossed out.
)HELP";

namespace {

const std::vector<OptionRule> PreviewOptions = {{"-o", "--output", true, false},
                                                {"--slot", "", true, false},
                                                {"--key", "", true, false},
                                                {"--force", "", false, false}};

constexpr std::uint32_t DefaultKeyColour = 0xF0F0F0;

int SlotNumber(const std::string &text)
{
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(text) >= SlotCount) {
        throw UsageError("--slot needs a slot number 0 to 19, not " + text);
    }
    return std::stoi(text);
}

// 0x00RRGGBB as a Windows COLORREF, 0x00BBGGRR.
std::uint32_t ColourRef(std::uint32_t rgb)
{
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

RgbImage SlotPicture(const ImageBanks &banks, int slot, std::uint32_t keyColour)
{
    const auto index = static_cast<std::size_t>(slot);
    RgbImage picture =
        RenderPreviewPicture(banks.WorkBase[index], banks.WorkMask[index], ColourRef(keyColour));
    if (picture.width == 0 || picture.height == 0) {
        throw CommandError("the image of slot " + TwoDigits(slot) + " cannot be shown");
    }
    return picture;
}

} // namespace

int RunPreview(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, PreviewOptions);
    parsed.ExpectPositional(1, 1, "the package to draw");
    const std::string outputPath = StorePath(parsed.Required("-o"));
    const std::optional<std::string> slot = parsed.Value("--slot");
    const int slotNumber = slot ? SlotNumber(*slot) : 0;
    const std::uint32_t keyColour =
        parsed.Has("--key") ? ParseColour(*parsed.Value("--key"), "--key") : DefaultKeyColour;

    const std::unique_ptr<LoadedPackage> package =
        LoadPackage(StorePath(parsed.Positional()[0]), console.err);
    const ImageBanks &banks = package->banks;
    const RgbImage picture =
        slot ? SlotPicture(banks, slotNumber, keyColour) : BuildContactSheet(banks.WorkBase, banks.WorkMask);
    WriteFileBytes(outputPath, EncodePng(picture), parsed.Has("--force"));
    console.out << "wrote " << ShownPath(outputPath) << " (" << picture.width << "x" << picture.height
                << ")\n";
    return ExitSuccess;
}
