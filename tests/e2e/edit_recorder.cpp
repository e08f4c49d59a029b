// Stands in for a painting program in the end-to-end tests: registered for
// the shell's edit action of BMP files, it appends its command line (UTF-16,
// one line) to the file that its first argument names.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include <windows.h>

#include <shellapi.h>

namespace {
struct LocalFreeDeleter {
    void operator()(LPWSTR *arguments) const { LocalFree(arguments); }
};
} // namespace

int main()
{
    const std::wstring_view commandLine = GetCommandLineW();
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(CommandLineToArgvW(commandLine.data(), &count));
    if (!arguments || count < 2)
        return 1;
    std::ofstream record(std::filesystem::path(arguments.get()[1]), std::ios::binary | std::ios::app);
    record.write(reinterpret_cast<const char *>(commandLine.data()),
                 static_cast<std::streamsize>(commandLine.size() * sizeof(wchar_t)));
    record.write(reinterpret_cast<const char *>(L"\n"), sizeof(wchar_t));
    record.close();
    return record ? 0 : 1;
}
