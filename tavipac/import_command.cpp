// "import": pictures of any kind made parts of a package's room, as dropping
// them onto the editor with that package loaded does: the same files in the
// parts collection, and the entry to choose for each group.
#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "package_loading.h"
#include "paths.h"
#include "core/import/picture_import.h"

const std::u8string_view ImportHelp =
    u8R"HELP(usage: tavipac import PACKAGE PICTURE... [--slot N] [--fit] [--workdir FOLDER]

Writes into the parts collection folder 部屋の部品集 the files that dropping
the PNG, JPEG, GIF, TGA or BMP pictures onto the editor writes while PACKAGE
is loaded and its parts displayed, and prints for each group the entry to
choose in its part combo box.

A picture goes to the slot its name begins with: 00-19 the picture of that
slot, 20-39 the mask of slot N-20 (slot 14 takes none); with --slot N every
picture goes to slot N, as when dropped onto its preview (a picture named
with N+20 as its mask). Each becomes an 8-bit part as "convert" makes it; its
mask comes from the mask picture for the same slot, else from its
transparency (opaque black, cut out white), else the package's mask stays.
The files of the slot's whole group are written: "%02d" + stem + ".BMP" and
the masks, the stem being the picture's name without its leading digits and
extension, the group's other slots as the package holds them. Existing files
are never replaced: a stem already taken gets a number ("door-2").

  --slot N           every picture goes to slot N (0-19 but 14)
  --fit              shrink a picture too large for a slot to the largest
                     size that fits, keeping its proportions; without it
                     such a picture is left out
  --workdir FOLDER   the folder in which the editor would run, and so the one
                     that holds 部屋の部品集 (default: the current directory)
)HELP";

namespace {

const std::vector<OptionRule> ImportOptions = {
    {"--slot", "", true, false}, {"--fit", "", false, false}, {"--workdir", "", true, false}};

constexpr int LastSlot = 19;

std::optional<int> ParseSlot(const ParsedArguments &parsed)
{
    const std::optional<std::string> value = parsed.Value("--slot");
    if (!value)
        return std::nullopt;
    if (value->empty() || value->size() > 2 || value->find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(*value) > LastSlot || std::stoi(*value) == 14)
        throw UsageError("--slot takes a slot number from 0 to 19 but 14");
    return std::stoi(*value);
}

std::string ProblemText(const ImportFailure &failure)
{
    const std::string name = ShownPath(failure.fileName);
    switch (failure.problem) {
    case ImportProblem::Unreadable: return "cannot open " + name;
    case ImportProblem::Broken:
    case ImportProblem::TooLarge: return name + ": " + failure.reason;
    case ImportProblem::TooLargeForSlot: return name + " is too large for a slot (use --fit to shrink it)";
    case ImportProblem::UnusableName: return name + ": its name cannot name a part file";
    case ImportProblem::NotWritten: break;
    }
    return "cannot write " + name + "; nothing of its group was written";
}

} // namespace

int RunImport(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, ImportOptions);
    parsed.ExpectPositional(2, SIZE_MAX, "the package and the pictures");
    const std::optional<int> slot = ParseSlot(parsed);
    const std::unique_ptr<LoadedPackage> package =
        LoadPackage(StorePath(parsed.Positional()[0]), console.err);
    std::vector<std::string> pictures;
    for (std::size_t i = 1; i < parsed.Positional().size(); ++i)
        pictures.push_back(StorePath(parsed.Positional()[i]));
    const std::string collection = CollectionFolderIn(parsed.Value("--workdir").value_or(""));
    const std::string folder = ShownPath(collection);

    bool problems = false;
    ImportFrontEnd frontEnd;
    frontEnd.shrinkOversized = [&] { return parsed.Has("--fit"); };
    frontEnd.failed = [&](const ImportFailure &failure) {
        console.err << "tavipac import: " << ProblemText(failure) << "\n";
        problems = true;
    };
    frontEnd.imported = [&](const ImportedGroup &group) {
        for (const std::string &name : group.fileNames)
            console.out << folder << ShownPath(name) << "\n";
        console.out << "choose " << ShownPath(group.entryText) << " for slot " << group.keySlot << "\n";
    };
    frontEnd.unmatched = [&](const std::vector<std::string> &names) {
        for (const std::string &name : names)
            console.err << "tavipac import: " << ShownPath(name)
                        << ": no slot to go to, or not a picture (name it with the slot number, or use "
                           "--slot N)\n";
        problems = true;
    };
    ImportPictures(package->banks, pictures, slot, collection, frontEnd);
    return problems ? ExitUsageOrFileError : ExitSuccess;
}
