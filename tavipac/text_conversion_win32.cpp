// Code page conversions with the Windows converters, through UTF-16. Code
// page 932 is named explicitly, so the result does not depend on the
// system's ANSI code page; best-fit replacements are refused.
#include "text_conversion.h"

#include <windows.h>

namespace {

constexpr UINT JapaneseCodePage = 932;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view text)
{
    if (text.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), length);
    return wide;
}

std::optional<std::string> FromWide(UINT codePage, const std::wstring &wide)
{
    if (wide.empty()) {
        return std::string();
    }
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL *usedDefaultFlag = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, usedDefaultFlag);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::optional<std::string> Convert(UINT from, UINT to, std::string_view text)
{
    const std::optional<std::wstring> wide = ToWide(from, text);
    return wide ? FromWide(to, *wide) : std::nullopt;
}

} // namespace

std::optional<std::string> Cp932ToUtf8Strict(std::string_view text)
{
    return Convert(JapaneseCodePage, CP_UTF8, text);
}

std::optional<std::string> Utf8ToCp932Strict(std::string_view text)
{
    return Convert(CP_UTF8, JapaneseCodePage, text);
}
