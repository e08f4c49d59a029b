#include "code_page.h"

#include <windows.h>

#include <limits>

namespace {
constexpr UINT EditorCodePage = 932;

bool FitsInt(std::size_t size)
{
    return size <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

std::optional<std::wstring> ToWide(UINT codePage, DWORD flags, std::string_view text)
{
    if (text.empty()) {
        return std::wstring();
    }
    if (!FitsInt(text.size())) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), wideLength);
    return wide;
}

// exact: no best-fit replacements and no default character. One call
// into a buffer as large as the longest result (a UTF-16 unit takes at most
// two bytes of code page 932 and three of UTF-8): folder listings convert
// thousands of names.
std::optional<std::string> FromWide(UINT codePage, bool exact, std::wstring_view wide)
{
    if (wide.empty()) {
        return std::string();
    }
    const bool utf8 = codePage == CP_UTF8;
    const std::size_t largest = wide.size() * (utf8 ? 3 : 2);
    if (!FitsInt(largest)) {
        return std::nullopt;
    }
    const DWORD flags = exact && !utf8 ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL *usedDefaultFlag = exact && !utf8 ? &usedDefault : nullptr;
    std::string narrow(largest, '\0');
    const int narrowLength =
        WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                            static_cast<int>(largest), nullptr, usedDefaultFlag);
    if (narrowLength <= 0 || usedDefault) {
        return std::nullopt;
    }
    narrow.resize(static_cast<std::size_t>(narrowLength));
    return narrow;
}
} // namespace

std::optional<std::string> ConvertCp932ToUtf8(std::string_view text)
{
    const std::optional<std::wstring> wide = WideFromCp932(text);
    return wide ? FromWide(CP_UTF8, true, *wide) : std::nullopt;
}

std::optional<std::string> ConvertUtf8ToCp932(std::string_view text)
{
    const std::optional<std::wstring> wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text);
    return wide ? Cp932FromWide(*wide) : std::nullopt;
}

std::optional<std::wstring> WideFromCp932(std::string_view bytes)
{
    return ToWide(EditorCodePage, MB_ERR_INVALID_CHARS, bytes);
}

std::optional<std::string> Cp932FromWide(std::wstring_view text)
{
    return FromWide(EditorCodePage, true, text);
}

std::wstring WideFromCp932Lenient(std::string_view bytes)
{
    return ToWide(EditorCodePage, 0, bytes).value_or(std::wstring());
}

std::string Cp932FromWideLenient(std::wstring_view text)
{
    return FromWide(EditorCodePage, false, text).value_or(std::string());
}
