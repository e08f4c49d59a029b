#include "text_conversion.h"

#include <windows.h>

std::wstring WideFromCodePage932(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int count = MultiByteToWideChar(EditorCodePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(EditorCodePage, 0, bytes.data(), length, text.data(), count);
    return text;
}

std::string CodePage932FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int count =
        WideCharToMultiByte(EditorCodePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(EditorCodePage, 0, text.data(), length, bytes.data(), count, nullptr, nullptr);
    return bytes;
}
