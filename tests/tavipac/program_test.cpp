// The built program itself, run as a child process: exit codes and output
// streams as a shell sees them.
#include <cstdlib>

#include "tavipac_test_support.h"

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#endif

namespace {

// Runs the release program (or, in a tree without one, this tree's) with the
// arguments (plain ASCII here); natively its output is thrown away.
int RunProgram(const std::vector<std::string> &arguments)
{
#ifdef _WIN32
    const std::string path = TAVIPAC_PROGRAM;
    const std::wstring program(path.begin(), path.end());
    std::vector<std::wstring> wide;
    wide.push_back(L"\"" + program + L"\"");
    for (const std::string &argument : arguments) {
        wide.emplace_back(argument.begin(), argument.end());
    }
    std::vector<const wchar_t *> argv;
    for (const std::wstring &w : wide) {
        argv.push_back(w.c_str());
    }
    argv.push_back(nullptr);
    return static_cast<int>(_wspawnv(_P_WAIT, program.c_str(), argv.data()));
#else
    std::string command = "'" TAVIPAC_PROGRAM "'";
    for (const std::string &argument : arguments) {
        command += " '" + argument + "'";
    }
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

using TavipacProgram = TavipacFolder;

TEST_F(TavipacProgram, ExitCodesOfTheRealProgram)
{
    std::vector<std::uint8_t> bad = SamplePackage("umi.pac");
    bad.resize(5000);
    WriteBytes("bad.pac", bad);
    EXPECT_EQ(RunProgram({"--help"}), 0);
    EXPECT_EQ(RunProgram({"check", "bad.pac"}), 1);
    EXPECT_EQ(RunProgram({"check", "none.pac"}), 2);
    EXPECT_EQ(RunProgram({"nonsense"}), 2);
}

} // namespace
