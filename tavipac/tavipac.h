// tavipac, the command-line companion of the room package editor: the whole
// program behind one call, so that it runs the same from main and in tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// arguments are the command line without the program name, as UTF-8. Results
// go to out, messages to err (UTF-8). Returns the exit code: 0 success, 1 a
// check found problems, 2 a usage or file error.
int RunTavipac(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err);
