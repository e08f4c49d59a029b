// "list": the packages of a folder with both room tests and the name text.
#include <algorithm>

#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "core/package_folder.h"
#include "package_report.h"
#include "paths.h"
#include "shown_text.h"
#include "store/file_system.h"

const std::u8string_view ListHelp = u8R"HELP(usage: tavipac list [FOLDER]

Lists the ".pac" files of FOLDER, by default the package folder the editor
finds in the current directory (a folder named 部屋, else へや, else
プラグインフォルダ). For each file: whether the editor's room list shows it,
whether the compose dialog offers its name, the file name and the name text.
)HELP";

namespace {

char FoldAsciiCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NameLess(const std::string &a, const std::string &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldAsciiCase(x) < FoldAsciiCase(y); });
}

std::vector<std::string> PackageFileNames(const std::string &folder)
{
    std::vector<std::string> names;
    for (const FoundEntry &entry : FindEntries(folder + "*.pac")) {
        if (!entry.isFolder) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

const char *YesNo(bool value)
{
    return value ? "yes " : "no  ";
}

std::string ListLine(const std::string &folder, const std::string &name)
{
    try {
        const PackageReport report = InspectPackageHeader(folder + name);
        return std::string(YesNo(report.roomListProbe)) + "  " + YesNo(report.composeListProbe) + "     " +
               ShownPath(name) + "  " + ShownText(report.Text(NameText));
    } catch (const CommandError &) {
        return std::string(YesNo(false)) + "  " + YesNo(false) + "     " + ShownPath(name) +
               "  (cannot be read)";
    }
}

} // namespace

int RunList(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, {});
    parsed.ExpectPositional(0, 1, "");
    const std::string folder =
        parsed.Positional().empty() ? FindPackageFolder() : StoreFolder(parsed.Positional()[0]);
    const std::vector<std::string> names = PackageFileNames(folder);
    console.out << "folder: " << ShownPath(folder) << "\n";
    if (names.empty()) {
        console.out << "no .pac files\n";
        return ExitSuccess;
    }
    console.out << "room  compose  file / name\n";
    for (const std::string &name : names) {
        console.out << ListLine(folder, name) << "\n";
    }
    return ExitSuccess;
}
