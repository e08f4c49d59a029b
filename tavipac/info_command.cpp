// "info": the flags, texts and forty records of one package.
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "package_report.h"
#include "report_output.h"
#include "paths.h"

const std::u8string_view InfoHelp = u8R"HELP(usage: tavipac info PACKAGE [--json]

Shows a room package: the flag bytes 16 and 19 and what the editor's two room
tests make of them, the name, remarks and author texts, and for each of the
forty records its slot, base or mask, record size, the image's own file-size
field, width, height, bits per pixel and any problem.

  --json   one JSON object instead of the table

Exit code 0 also when the package has problems (see "check").
)HELP";

namespace {

const std::vector<OptionRule> InfoOptions = {{"--json", "", false, false}};

} // namespace

int RunInfo(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, InfoOptions);
    parsed.ExpectPositional(1, 1, "the package to show");
    const PackageReport report = InspectPackage(StorePath(parsed.Positional()[0]));
    if (parsed.Has("--json")) {
        WriteReportJson(report, console.out);
    } else {
        WriteReportTable(report, console.out);
    }
    return ExitSuccess;
}
