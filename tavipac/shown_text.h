// Package texts as the console shows them.
#pragma once

#include <string>
#include <string_view>

// A UTF-8 text on one line: control characters and backslashes written as
// escapes (\r, \n, \t, \\, \xNN).
std::string OneLine(std::string_view utf8);
// A code page 932 text of a package, up to its first zero byte as the editor
// shows it, on one line.
std::string ShownText(const std::string &cp932);
