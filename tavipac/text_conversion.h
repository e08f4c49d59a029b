// Conversions between UTF-8, the program's own text and that of the console,
// and code page 932, the text of every package and every name the editor
// uses.
#pragma once

#include <string>
#include <string_view>

// A package text for showing: bytes that do not form a code page 932
// character become U+FFFD, zero bytes and line breaks are kept.
std::string Cp932ToUtf8(std::string_view text);

// A text from the command line as code page 932. Throws a UsageError that
// names the first character code page 932 cannot hold, and what the text
// was for ("the name text", "the path").
std::string Utf8ToCp932(std::string_view text, std::string_view what);
