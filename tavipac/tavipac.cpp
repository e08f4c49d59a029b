#include "tavipac.h"

#include <algorithm>
#include <array>

#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "core/picture/picture_error.h"

namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    std::u8string_view help;
    int (*run)(const Arguments &arguments, Console &console);
};

const std::array<Command, 8> CommandTable = {{
    {"info", "show a package's flags, texts and forty records", InfoHelp, RunInfo},
    {"list", "list the packages of a folder with both room tests", ListHelp, RunList},
    {"check", "report the problems of packages (exit code 1 if any)", CheckHelp, RunCheck},
    {"export", "write the 38 part files of a package, as the editor does", ExportHelp, RunExport},
    {"compose", "write a new package from a base, parts and texts", ComposeHelp, RunCompose},
    {"preview", "draw a part, or all forty images, as a PNG picture", PreviewHelp, RunPreview},
    {"convert", "turn an image into an 8-bit part or mask BMP file", ConvertHelp, RunConvert},
    {"import", "make pictures parts of a package's room, as a drop onto the editor", ImportHelp, RunImport},
}};

std::string_view AsText(std::u8string_view text)
{
    return {reinterpret_cast<const char *>(text.data()), text.size()};
}

void WriteGeneralHelp(std::ostream &out)
{
    out << "usage: tavipac COMMAND [ARGUMENTS]\n"
           "       tavipac COMMAND --help\n\n"
           "Reads, checks and writes the room packages (.pac) of the room package\n"
           "editor. Texts from packages are shown as UTF-8; texts given here are\n"
           "stored as code page 932.\n\n"
           "commands:\n";
    for (const Command &command : CommandTable) {
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary << "\n";
    }
    out << "\nexit codes: 0 success, 1 a check found problems, 2 a usage or file error\n";
}

const Command *FindCommand(std::string_view name)
{
    const auto found = std::find_if(CommandTable.begin(), CommandTable.end(),
                                    [name](const Command &command) { return command.name == name; });
    return found == CommandTable.end() ? nullptr : &*found;
}

int RunCommand(const Command &command, const Arguments &arguments, Console &console)
{
    if (AsksForHelp(arguments)) {
        console.out << AsText(command.help);
        return ExitSuccess;
    }
    try {
        return command.run(arguments, console);
    } catch (const UsageError &error) {
        console.err << "tavipac " << command.name << ": " << error.what() << "\n"
                    << "(see: tavipac " << command.name << " --help)\n";
    } catch (const CommandError &error) {
        console.err << "tavipac " << command.name << ": " << error.what() << "\n";
    } catch (const PictureError &error) {
        console.err << "tavipac " << command.name << ": " << error.what() << "\n";
    }
    return ExitUsageOrFileError;
}

} // namespace

int RunTavipac(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err)
{
    Console console{out, err};
    if (arguments.empty()) {
        WriteGeneralHelp(err);
        return ExitUsageOrFileError;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        WriteGeneralHelp(out);
        return ExitSuccess;
    }
    const Command *command = FindCommand(arguments[0]);
    if (command == nullptr) {
        err << "tavipac: unknown command " << arguments[0] << " (see: tavipac --help)\n";
        return ExitUsageOrFileError;
    }
    return RunCommand(*command, Arguments(arguments.begin() + 1, arguments.end()), console);
}
