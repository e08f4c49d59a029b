// "check": the problems of packages, one line each.
#include "command_error.h"
#include "command_line.h"
#include "commands.h"
#include "exit_codes.h"
#include "package_report.h"
#include "paths.h"
#include "report_output.h"

const std::u8string_view CheckHelp = u8R"HELP(usage: tavipac check PACKAGE...

Checks room packages and prints each problem on a line of its own:
"PACKAGE: No.05 base: not 8-bit (24 bits per pixel)". A package without
problems gives "PACKAGE: ok".

Exit code 0 when no package has a problem, 1 when one has, 2 when a package
cannot be read.
)HELP";

namespace {

// Writes the package's problem lines; true when there were any.
bool CheckPackage(const std::string &storePath, std::ostream &out)
{
    return WriteProblemLines(InspectPackage(storePath), out);
}

} // namespace

int RunCheck(const Arguments &arguments, Console &console)
{
    const ParsedArguments parsed(arguments, {});
    parsed.ExpectPositional(1, SIZE_MAX, "the packages to check");
    bool problemsFound = false;
    bool fileErrors = false;
    for (const std::string &path : parsed.Positional()) {
        try {
            problemsFound = CheckPackage(StorePath(path), console.out) || problemsFound;
        } catch (const CommandError &error) {
            console.err << "tavipac check: " << error.what() << "\n";
            fileErrors = true;
        }
    }
    return fileErrors ? ExitUsageOrFileError : problemsFound ? ExitProblemsFound : ExitSuccess;
}
