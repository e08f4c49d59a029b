// The session's texts are code page 932 byte strings, as the editor's; the
// page's are UTF-8. The conversions are lenient, as the editor's controls
// are: what cannot be converted is shown, not refused.
#pragma once

#include <string>
#include <string_view>

// Bytes that are no code page 932 character become U+30FB, as Windows shows
// them.
std::string Utf8FromCp932Lenient(std::string_view bytes);
// Characters without a code page 932 form, and bytes that are no UTF-8,
// become '?', as the editor's edit controls give them.
std::string Cp932FromUtf8Lenient(std::string_view text);
// A text typed into a multi-line field of the page, whose line breaks are
// LF alone, with its line breaks as the editor's edit controls give them:
// CR LF.
std::string WithCrLfLineBreaks(std::string_view text);
