// Whole-text conversions between code page 932 and UTF-8 with the C
// library's iconv, for the POSIX side of the program: file names on disk
// and texts on a UTF-8 console.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole text converted, or nothing when any byte of it cannot be.
std::optional<std::string> ConvertCp932ToUtf8(std::string_view text);
std::optional<std::string> ConvertUtf8ToCp932(std::string_view text);
