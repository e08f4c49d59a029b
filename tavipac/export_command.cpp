// "export": the 38 part files of a package, as the editor's export writes
// them into its parts collection folder.
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "package_loading.h"
#include "paths.h"
#include "text_conversion.h"
#include "core/part_export.h"
#include "core/part_files.h"
#include "core/slot_map.h"

const std::u8string_view ExportHelp = u8R"HELP(usage: tavipac export PACKAGE [--workdir FOLDER]

Writes the parts of PACKAGE into the parts collection folder 部屋の部品集, as
the editor's export does: 38 files (none for slot 14), named with the slot
number, the package name and "BMP" ("00abc.BMP" to "39abc.BMP" for abc.pac),
each the image exactly as the package holds it. Existing files of those names
are replaced, as in the editor.

  --workdir FOLDER   the folder in which the editor would run, and so the one
                     that holds 部屋の部品集 (default: the current directory)
)HELP";

namespace {

const std::vector<OptionRule> ExportOptions = {{"--workdir", "", true, false}};

std::vector<std::string> ExportedFileNames(const std::string &stem, const std::vector<std::string> &failed)
{
    std::vector<std::string> written;
    for (const PartGroup &group : PartGroups) {
        for (const int slot : group.ExportOrder()) {
            for (const int number : {slot, MaskNumber(slot)}) {
                const std::string name = ExportFileName(number, stem);
                if (std::find(failed.begin(), failed.end(), name) == failed.end()) {
                    written.push_back(name);
                }
            }
        }
    }
    return written;
}

} // namespace

int RunExport(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, ExportOptions);
    parsed.ExpectPositional(1, 1, "the package to export");
    const std::string packagePath = StorePath(parsed.Positional()[0]);
    const std::unique_ptr<LoadedPackage> package = LoadPackage(packagePath, console.err);
    const std::string stem = PartStem(FileNameOf(packagePath));
    const std::string collection = CollectionFolderIn(parsed.Value("--workdir").value_or(""));
    const std::string folder = ShownPath(collection);
    const std::vector<std::string> failed = ExportRoomParts(package->banks, stem, collection);
    for (const std::string &name : ExportedFileNames(stem, failed)) {
        console.out << folder << ShownPath(name) << "\n";
    }
    for (const std::string &name : failed) {
        console.err << "tavipac export: cannot write " << folder << ShownPath(name) << "\n";
    }
    return failed.empty() ? ExitSuccess : ExitUsageOrFileError;
}
