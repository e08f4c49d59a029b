// The program's entry on Windows: the arguments are taken as UTF-16 and
// turned into UTF-8; output is written as UTF-8 bytes, unchanged (no CR
// added), and a console is told to show UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "tavipac.h"

namespace {

// The console's output code page, UTF-8 while the program runs and given back
// afterwards, so that the console that started it is left as it was.
class Utf8Console {
  public:
    Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;
    ~Utf8Console()
    {
        if (previous_ != 0) {
            SetConsoleOutputCP(previous_);
        }
    }

  private:
    UINT previous_;
};

std::string ToUtf8(const wchar_t *argument)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, argument, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argument, -1, text.data(), length, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(length) - 1);
    return text;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const Utf8Console console;
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(ToUtf8(argv[i]));
    }
    const int exitCode = RunTavipac(arguments, std::cout, std::cerr);
    std::cout.flush();
    return exitCode;
}
