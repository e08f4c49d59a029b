// Code page conversions on POSIX systems: those of the file layer.
#include "text_conversion.h"

#include "store/code_page_posix.h"

std::optional<std::string> Cp932ToUtf8Strict(std::string_view text)
{
    return ConvertCp932ToUtf8(text);
}

std::optional<std::string> Utf8ToCp932Strict(std::string_view text)
{
    return ConvertUtf8ToCp932(text);
}
