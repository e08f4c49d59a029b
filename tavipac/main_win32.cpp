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
    SetConsoleOutputCP(CP_UTF8);
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
