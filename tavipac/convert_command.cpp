// "convert": any PNG, JPEG, GIF, TGA or BMP image as a part file or a mask
// file the editor accepts.
#include "colour_option.h"
#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "file_bytes.h"
#include "core/picture/part_conversion.h"
#include "paths.h"

const std::u8string_view ConvertHelp =
    u8R"HELP(usage: tavipac convert IMAGE -o PART.bmp [--mask [--key RRGGBB]] [--dither] [--fit] [--force]

Turns a PNG, JPEG, GIF, TGA or BMP image of any depth into an 8-bit BMP file
that the editor accepts as a part: a 40-byte info header, a full 256-entry
colour table, pixels at byte 1078, rows bottom-up, always 8 bits per pixel.
An image with at most 256 colours keeps its colours exactly; others are
reduced to 256 colours (median cut).

  -o, --output PART.bmp  the file to write
  --dither               spread the colour error (Floyd-Steinberg) when the
                         image has to be reduced to 256 colours
  --mask                 make a mask instead: black where the part is kept,
                         white where it is cut out. The cut-out pixels are the
                         transparent ones (alpha below half), or with --key
                         those of that colour; an image without transparency
                         is taken as a mask picture (bright pixels cut out)
  --key RRGGBB           with --mask: the colour to cut out
  --fit                  shrink an image too large for a slot to the largest
                         size that fits, keeping its proportions
  --force                replace an existing file

Without --fit, an image whose 8-bit file would be larger than a slot (77880
bytes) is refused: 320x240 is the largest size that fits.
)HELP";

namespace {

const std::vector<OptionRule> ConvertOptions = {
    {"-o", "--output", true, false}, {"--mask", "", false, false}, {"--key", "", true, false},
    {"--dither", "", false, false},  {"--fit", "", false, false},  {"--force", "", false, false}};

} // namespace

int RunConvert(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, ConvertOptions);
    parsed.ExpectPositional(1, 1, "the image to convert");
    const std::string inputPath = StorePath(parsed.Positional()[0]);
    const std::string outputPath = StorePath(parsed.Required("-o"));
    const bool mask = parsed.Has("--mask");
    if (parsed.Has("--key") && !mask) {
        throw UsageError("--key goes with --mask");
    }
    MaskRule rule;
    if (parsed.Has("--key")) {
        rule.keyColour = ParseColour(*parsed.Value("--key"), "--key");
    }

    const std::vector<std::uint8_t> file = ReadFileBytes(inputPath, LargestPictureFile);
    const std::optional<RgbaImage> image =
        DecodePartPicture(file, parsed.Has("--fit") ? Oversize::Shrink : Oversize::Refuse);
    if (!image) {
        throw CommandError(ShownPath(inputPath) + " is not a PNG, JPEG, GIF, TGA or BMP image");
    }
    const std::vector<std::uint8_t> part =
        mask ? BuildMaskFile(*image, rule) : BuildPartFile(*image, parsed.Has("--dither"));
    WriteFileBytes(outputPath, part, parsed.Has("--force"));
    console.out << "wrote " << ShownPath(outputPath) << " (" << image->width << "x" << image->height
                << ", 8-bit, " << part.size() << " bytes)\n";
    return ExitSuccess;
}
