// "compose": a new package from a base package, part replacements and new
// texts, written byte for byte as the editor's compose dialog writes it.
#include <algorithm>
#include <memory>

#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "file_bytes.h"
#include "package_loading.h"
#include "paths.h"
#include "text_conversion.h"
#include "core/compose_rules.h"
#include "core/package_saving.h"
#include "core/part_files.h"
#include "core/part_layout.h"
#include "core/part_loading.h"
#include "core/slot_map.h"
#include "core/two_digits.h"

const std::u8string_view ComposeHelp = u8R"HELP(usage: tavipac compose BASE.pac -o NEW.pac [options]

Writes a new room package from the package BASE.pac, with parts replaced and
new texts, byte for byte as the editor's compose dialog would write it after
the same choices.

  -o, --output NEW.pac  the package to write; its name must end in ".pac"
  --part SLOT=ENTRY     replace a part group as the editor's part combo box
                        does: ENTRY is a part file name without its two digits
                        ("abc.BMP" for 05abc.BMP ...), SLOT the first slot of
                        the group (0, 2, 3, 4, 5, 8, 10, 12, 13, 15 or 16);
                        the door group 5 reads 07, 06, 05 and 27, 26, 25
  --base SLOT=FILE.bmp  replace one slot's image (0-19) by an 8-bit BMP file
  --mask SLOT=FILE.bmp  replace one slot's mask by a BMP file
  --name TEXT           the name text (one line)
  --remarks TEXT        the remarks text
  --author TEXT         the author text
  --workdir FOLDER      the folder that holds 部屋の部品集, where --part
                        looks (default: the current directory)
  --force               replace an existing NEW.pac; the old file is kept as
                        NEW.bak

Part files in another BMP layout (a larger info header, a shorter colour
table, rows stored top-down, RLE8 or RLE4 compression) are made into the
layout of the package's parts, the same picture pixel for pixel.

--part, --base and --mask may be given more than once; part groups are
replaced first, in the order given, then single slots. Texts not given keep
the base package's. Texts are cut to 255 bytes of code page 932 as the compose
dialog cuts them; line breaks in remarks and author become CR LF. A character
that code page 932 cannot hold is refused. The package is written through a
temporary file; an existing one is replaced only with --force.
)HELP";

namespace {

const std::vector<OptionRule> ComposeOptions = {
    {"-o", "--output", true, false}, {"--part", "", true, true},     {"--base", "", true, true},
    {"--mask", "", true, true},      {"--name", "", true, false},    {"--remarks", "", true, false},
    {"--author", "", true, false},   {"--workdir", "", true, false}, {"--force", "", false, false}};

constexpr std::string_view PackageExtension = ".pac";
constexpr std::uint16_t PartBitCount = 8;

struct SlotChoice {
    int slot;
    std::string value;
};

int ParseSlotNumber(const std::string &text, const std::string &option)
{
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        throw UsageError(option + " needs SLOT=VALUE with a slot number 0 to 19, not " + text);
    }
    const int slot = std::stoi(text);
    if (slot >= SlotCount) {
        throw UsageError(option + ": there is no slot " + text + " (slots are 0 to 19)");
    }
    return slot;
}

std::vector<SlotChoice> SlotChoices(const ParsedArguments &parsed, const std::string &option)
{
    std::vector<SlotChoice> choices;
    for (const std::string &value : parsed.Values(option)) {
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos || equals + 1 == value.size()) {
            throw UsageError(option + " needs SLOT=VALUE, not " + value);
        }
        choices.push_back({ParseSlotNumber(value.substr(0, equals), option), value.substr(equals + 1)});
    }
    return choices;
}

std::string PartLoadFailure(const PartLoadResult &result)
{
    const std::string file = ShownPath(PartsCollectionFolder + result.fileName);
    switch (result.outcome) {
    case PartLoadOutcome::BaseMissing:
    case PartLoadOutcome::MaskMissing: return file + " was not found";
    case PartLoadOutcome::TooLarge:
    case PartLoadOutcome::MaskTooLarge:
        return file + " is larger than a slot (" + std::to_string(SlotSize) + " bytes) or not a BMP file";
    case PartLoadOutcome::NotEightBit: return file + " is not an 8-bit (256-colour) image";
    case PartLoadOutcome::Restored:
    case PartLoadOutcome::Loaded: break;
    }
    return {};
}

void ReplacePartGroup(ImageBanks &banks, const SlotChoice &choice, const PartCollection &collection)
{
    if (ComboOfSlot(choice.slot) == NoControl) {
        throw UsageError("--part: slot " + std::to_string(choice.slot) +
                         " is not the first slot of a part group (0, 2, 3, 4, 5, 8, 10, 12, 13, 15 or 16)");
    }
    const std::string entry = Utf8ToCp932(choice.value, "the part entry " + choice.value);
    for (const int slot : SlotGroupTable(choice.slot)) {
        const PartLoadResult result = LoadPartFromCollectionFiles(banks, slot, entry, collection);
        if (result.outcome != PartLoadOutcome::Loaded) {
            throw CommandError("cannot replace the part group of slot " + TwoDigits(choice.slot) + ": " +
                               PartLoadFailure(result));
        }
    }
}

CommandError DoesNotFitSlot(const std::string &path)
{
    return CommandError(ShownPath(path) + " is not a BMP file that fits a slot (" + std::to_string(SlotSize) +
                        " bytes)");
}

// A part file's bytes in the slot layout (see InSlotLayout), no more than a
// slot holds.
std::vector<std::uint8_t> ReadPartFile(const std::string &path)
{
    std::optional<std::vector<std::uint8_t>> bytes = InSlotLayout(ReadFileBytes(path, LargestPartFile));
    if (!bytes) {
        throw DoesNotFitSlot(path);
    }
    if (bytes->size() > SlotSize) {
        throw CommandError(ShownPath(path) + " is larger than " + std::to_string(SlotSize) + " bytes");
    }
    return std::move(*bytes);
}

// A single part file read into a working slot, with the editor's limits: its
// file-size field covers its header and fits a slot, and a base is 8-bit.
void ReplaceSlotImage(PartBank &bank, const SlotChoice &choice, bool isBase)
{
    const std::string path = StorePath(choice.value);
    const std::vector<std::uint8_t> bytes = ReadPartFile(path);
    const auto image = std::make_unique<PartSlot>();
    std::copy(bytes.begin(), bytes.end(), image->bytes.begin());
    const std::uint32_t size = FileSize(*image);
    if (size < BmpFileHeaderSize || size > SlotSize || bytes.size() < size) {
        throw DoesNotFitSlot(path);
    }
    if (isBase && BitCount(*image) != PartBitCount) {
        throw CommandError(ShownPath(path) + " is not an 8-bit (256-colour) image");
    }
    PartSlot &slot = bank[static_cast<std::size_t>(choice.slot)];
    std::copy_n(image->bytes.begin(), size, slot.bytes.begin());
}

// Line breaks as a multi-line edit control delivers them: CR LF.
std::string WithCrLf(const std::string &text)
{
    std::string converted;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            converted += '\r';
        }
        converted += text[i];
    }
    return converted;
}

// The text the compose dialog's edit would hold: the given one, or the base
// package's text up to its first zero byte; then cut as the dialog cuts it.
std::string ComposedText(const ParsedArguments &parsed, const std::string &option,
                         const PackageHeaderBlock &header, HeaderTextField field)
{
    const std::optional<std::string> given = parsed.Value(option);
    if (!given) {
        const std::string current = GetHeaderText(header, field);
        return CutToTextCapacity(current.substr(0, current.find('\0')));
    }
    if (field == NameText && given->find_first_of("\r\n") != std::string::npos) {
        throw UsageError("the name text is one line; it cannot hold a line break");
    }
    const std::string text = field == NameText ? *given : WithCrLf(*given);
    return CutToTextCapacity(Utf8ToCp932(text, "the " + option.substr(2) + " text"));
}

struct OutputTarget {
    std::string folder; // with its trailing '\', or empty
    std::string name;   // without ".pac"
};

bool EndsWithPackageExtension(const std::string &fileName)
{
    if (fileName.size() <= PackageExtension.size()) {
        return false;
    }
    const std::string tail = fileName.substr(fileName.size() - PackageExtension.size());
    return std::equal(tail.begin(), tail.end(), PackageExtension.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

OutputTarget OutputOf(const std::string &commandLinePath)
{
    const std::string path = StorePath(commandLinePath);
    const std::string fileName = FileNameOf(path);
    if (!EndsWithPackageExtension(fileName)) {
        throw UsageError("the package to write must have a name ending in .pac, not " + commandLinePath);
    }
    OutputTarget target{path.substr(0, path.size() - fileName.size()),
                        fileName.substr(0, fileName.size() - PackageExtension.size())};
    if (!IsUsableComposeName(target.name)) {
        throw UsageError("\"" + Cp932ToUtf8(fileName) + "\" cannot name a package file");
    }
    return target;
}

PackageTarget SettleTarget(const OutputTarget &output, bool force)
{
    const std::string packagePath = PackagePath(output.folder, output.name);
    if (CreateEmptyPackageFile(packagePath)) {
        return PackageTarget::EmptyPlaceholder;
    }
    if (!PathExists(packagePath)) {
        throw CommandError("cannot create " + ShownPath(packagePath));
    }
    if (!force) {
        throw CommandError(ShownPath(packagePath) +
                           " exists already; use --force to replace it (the old file is then kept as " +
                           ShownPath(BackupPath(output.folder, output.name)) + ")");
    }
    return PackageTarget::ExistingPackage;
}

std::string SaveFailure(PackageSaveOutcome outcome, const std::string &packagePath)
{
    switch (outcome) {
    case PackageSaveOutcome::CannotCreate: return "cannot create " + ShownPath(packagePath);
    case PackageSaveOutcome::WriteFailed: return "cannot write " + ShownPath(packagePath);
    case PackageSaveOutcome::CannotReplace: return "cannot replace " + ShownPath(packagePath);
    case PackageSaveOutcome::Saved: break;
    }
    return {};
}

} // namespace

int RunCompose(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, ComposeOptions);
    parsed.ExpectPositional(1, 1, "the base package");
    const OutputTarget output = OutputOf(parsed.Required("-o"));
    const std::vector<SlotChoice> parts = SlotChoices(parsed, "--part");
    const std::vector<SlotChoice> bases = SlotChoices(parsed, "--base");
    const std::vector<SlotChoice> masks = SlotChoices(parsed, "--mask");

    const std::unique_ptr<LoadedPackage> package =
        LoadPackage(StorePath(parsed.Positional()[0]), console.err);
    ImageBanks &banks = package->banks;
    const PartsFolder collection(CollectionFolderIn(parsed.Value("--workdir").value_or("")));
    for (const SlotChoice &part : parts) {
        ReplacePartGroup(banks, part, collection);
    }
    for (const SlotChoice &base : bases) {
        ReplaceSlotImage(banks.WorkBase, base, true);
    }
    for (const SlotChoice &mask : masks) {
        ReplaceSlotImage(banks.WorkMask, mask, false);
    }
    const PackageTexts texts{ComposedText(parsed, "--name", package->header, NameText),
                             ComposedText(parsed, "--remarks", package->header, RemarksText),
                             ComposedText(parsed, "--author", package->header, AuthorText)};

    const PackageTarget target = SettleTarget(output, parsed.Has("--force"));
    const PackageSaveOutcome outcome =
        SavePackage(banks, package->header, output.folder, output.name, target, texts);
    const std::string packagePath = PackagePath(output.folder, output.name);
    if (outcome != PackageSaveOutcome::Saved) {
        throw CommandError(SaveFailure(outcome, packagePath));
    }
    console.out << "wrote " << ShownPath(packagePath);
    if (target == PackageTarget::ExistingPackage) {
        console.out << " (the old file is now " << ShownPath(BackupPath(output.folder, output.name)) << ")";
    }
    console.out << "\n";
    return ExitSuccess;
}
