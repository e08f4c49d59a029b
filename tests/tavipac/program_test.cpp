// The built program itself, run as a child process: exit codes and output
// streams as a shell sees them.
#include <cstdlib>

#include "tavipac_test_support.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace {

#ifdef _WIN32
// The program lies in the build tree's tavipac folder, two levels above the
// folder of this test program.
std::wstring ProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    for (int level = 0; level < 3; ++level) {
        path.resize(path.find_last_of(L"\\/"));
    }
    return path + L"\\tavipac\\tavipac.exe";
}
#endif

// Runs tavipac with the arguments (plain ASCII here); natively its output is
// thrown away.
int RunProgram(const std::vector<std::string> &arguments)
{
#ifdef _WIN32
    const std::wstring program = ProgramPath();
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
