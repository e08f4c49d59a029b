// The one place where texts change code page: the editor's code page 932
// byte strings to and from UTF-8 (file names on POSIX disks, the console of
// the command-line tool) and, on Windows, to and from the UTF-16 of the
// wide-character calls. Code page 932 is named explicitly, so no result
// depends on the system's own code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole text converted, or nothing when any byte of it cannot be.
std::optional<std::string> ConvertCp932ToUtf8(std::string_view text);
std::optional<std::string> ConvertUtf8ToCp932(std::string_view text);

#ifdef _WIN32
// Exact conversions: nothing when a byte is not code page 932, or when a
// character has no exact (not best-fit) code page 932 form.
std::optional<std::wstring> WideFromCp932(std::string_view bytes);
std::optional<std::string> Cp932FromWide(std::wstring_view text);
// For the texts of controls: bytes that are not valid code page 932 become
// the system's default character, characters that code page 932 lacks '?'.
std::wstring WideFromCp932Lenient(std::string_view bytes);
std::string Cp932FromWideLenient(std::wstring_view text);
#endif
