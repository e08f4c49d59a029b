#include "text_forms.h"

#include <algorithm>
#include <optional>

#include "store/code_page.h"

namespace {
constexpr char UnknownCharacter[] = "\xE3\x83\xBB"; // U+30FB in UTF-8
constexpr char Unrepresentable = '?';

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// A lead byte without a second byte that could follow it is one unknown
// character, and the byte after it stays a character of its own.
std::size_t Cp932Length(std::string_view text, std::size_t at)
{
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
                      IsTrailByte(static_cast<unsigned char>(text[at + 1]));
    return pair ? 2 : 1;
}

// The length of the UTF-8 sequence a byte opens, 1 for a byte that opens
// none (it is then taken alone and refused by the converter).
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
}

// Character by character only when the whole text does not convert: most
// texts do, in one call.
template <class Length, class Convert>
std::string ConvertEach(std::string_view text, Length length, Convert convert, std::string_view replacement)
{
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = std::min(length(text, at), text.size() - at);
        const std::optional<std::string> one = convert(text.substr(at, size));
        result += one ? *one : std::string(replacement);
        at += size;
    }
    return result;
}
} // namespace

std::string Utf8FromCp932Lenient(std::string_view bytes)
{
    if (std::optional<std::string> whole = ConvertCp932ToUtf8(bytes))
        return *whole;
    return ConvertEach(bytes, Cp932Length, ConvertCp932ToUtf8, UnknownCharacter);
}

std::string Cp932FromUtf8Lenient(std::string_view text)
{
    if (std::optional<std::string> whole = ConvertUtf8ToCp932(text))
        return *whole;
    return ConvertEach(text, Utf8Length, ConvertUtf8ToCp932, std::string_view(&Unrepresentable, 1));
}

std::string WithCrLfLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r'))
            result += '\r';
        result += text[at];
    }
    return result;
}
