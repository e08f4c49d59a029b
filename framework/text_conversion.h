// Conversion between the editor's code page 932 byte strings and the UTF-16
// texts of the wide-character Win32 calls. The code page is named
// explicitly, so the result does not depend on the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

inline constexpr unsigned int EditorCodePage = 932;

// Bytes that are not valid code page 932 become the system's default
// character; a zero byte becomes a zero character.
std::wstring WideFromCodePage932(std::string_view bytes);
// Characters that code page 932 lacks become '?'.
std::string CodePage932FromWide(std::wstring_view text);
