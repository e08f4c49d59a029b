#include "cstring.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "store/code_page.h"

CString CString::Left(int count) const
{
    if (count <= 0)
        return {};
    return CString(bytes_.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const
{
    if (first < 0)
        first = 0;
    if (static_cast<std::size_t>(first) >= bytes_.size())
        return {};
    return CString(bytes_.substr(static_cast<std::size_t>(first)));
}

void CString::Format(const char *format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list measure;
    va_copy(measure, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        va_end(arguments);
        bytes_.clear();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    va_end(arguments);
    bytes_.assign(buffer.data(), static_cast<std::size_t>(length));
}

std::wstring CString::ToWide() const
{
    const std::string_view bytes(bytes_);
    return WideFromCp932Lenient(bytes.substr(0, bytes.find('\0')));
}

CString CString::FromWide(std::wstring_view text)
{
    return CString(Cp932FromWideLenient(text));
}
