// The program's entry on POSIX systems: arguments and console are UTF-8.
#include <iostream>

#include "tavipac.h"

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int exitCode = RunTavipac(arguments, std::cout, std::cerr);
    std::cout.flush();
    return exitCode;
}
